// Generates the game's five bitmap fonts (fonts/<name>.png and .dat) from our
// hand-drawn glyph art, and a preview sheet for checking them by eye.
//
// usage: fontgen <art folder> <run folder> <preview png>

#include "FaceBuilder.h"
#include "FontPreview.h"

#include <cstdio>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::printf("usage: fontgen <art folder> <run folder> <preview png>\n");
        return 2;
    }
    FaceBuilder builder;
    if (!builder.loadArt(argv[1]))
        return 1;
    const std::string folder = std::string(argv[2]) + "/fonts";
    mkdir(argv[2], 0755);
    mkdir(folder.c_str(), 0755);
    const FontFace faces[] = {builder.normal(), builder.small(), builder.bold(), builder.numbers(),
                              builder.mixed()};
    FontPreview preview;
    for (const FontFace& face : faces)
    {
        if (!face.save(folder) || !preview.addFont(face, folder))
        {
            std::printf("fontgen: could not write font %s\n", face.name.c_str());
            return 1;
        }
    }
    if (!preview.save(argv[3], 3))
        return 1;
    return 0;
}

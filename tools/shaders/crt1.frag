#version 120
// A gentle CRT look for the finished frame: soft scanlines that follow the
// logical pixel rows and a light vignette. No blur and no warping, so
// one-pixel strokes of the small fonts stay crisp.

uniform sampler2D texture;
uniform float width;  // window size in pixels
uniform float height;
uniform float scale;  // window pixels per logical pixel

const float scanlineDepth = 0.26; // darkening at the very bottom of a row
const float vignetteDepth = 0.22; // darkening in the very corners

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    vec4 colour = texture2D(texture, uv);

    // Where this window pixel sits inside its logical row (0 top, 1 bottom):
    // the lower half of every row dims a little, like the dark gap between
    // two beam lines. At scale 1 every pixel is a row's middle: nothing dims.
    float rows = max(scale, 1.0);
    float phase = fract(uv.y * height / rows);
    float scanline = 1.0 - scanlineDepth * clamp((phase - 0.5) * 2.0, 0.0, 1.0);

    // A round vignette whatever the window's shape, darkest in the corners.
    vec2 shape = vec2(width, height) / max(max(width, height), 1.0);
    vec2 centred = (uv * 2.0 - 1.0) * shape;
    float reach = dot(centred, centred) / max(dot(shape, shape), 0.0001);
    float vignette = 1.0 - vignetteDepth * reach * sqrt(reach);

    gl_FragColor = vec4(colour.rgb * scanline * vignette, colour.a) * gl_Color;
}

#include "Sculpt.h"

#include <algorithm>
#include <cmath>

namespace
{
// Pixel centres exactly on an edge go to the face on its right-hand side.
const double edgeBias = 1e-7;

bool insideConvex(const std::vector<Point>& corners, double x, double y)
{
    bool positive = false;
    bool negative = false;
    size_t n = corners.size();
    for (size_t i = 0; i < n; ++i)
    {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % n];
        double cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
        if (cross > 0)
            positive = true;
        else if (cross < 0)
            negative = true;
        if (positive && negative)
            return false;
    }
    return true;
}
} // namespace

Sculpt::Sculpt(int w, int h) :
width(w),
height(h),
labels(static_cast<size_t>(w * h), 0),
openGroup(0)
{
}

void Sculpt::beginGroup()
{
    openGroup = -static_cast<int>(faces.size()) - 1;
}

void Sculpt::endGroup()
{
    openGroup = 0;
}

int Sculpt::addFace(const std::vector<Point>& corners, Pattern fill, bool outlined)
{
    int label = static_cast<int>(faces.size()) + 1;
    faces.push_back(Face{fill, Pattern::Ink, outlined, openGroup != 0 ? openGroup : label});
    double minY = height, maxY = 0, minX = width, maxX = 0;
    for (const Point& p : corners)
    {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    int y1 = std::min(height - 1, static_cast<int>(std::ceil(maxY)));
    int x0 = std::max(0, static_cast<int>(std::floor(minX)));
    int x1 = std::min(width - 1, static_cast<int>(std::ceil(maxX)));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (insideConvex(corners, x + 0.5 + edgeBias, y + 0.5 + edgeBias * 0.5))
                labels[static_cast<size_t>(y * width + x)] = label;
    return label;
}

int Sculpt::faceAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    return labels[static_cast<size_t>(y * width + x)];
}

void Sculpt::render(Canvas& canvas) const
{
    const int dx[4] = {-1, 1, 0, 0};
    const int dy[4] = {0, 0, -1, 1};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            int label = faceAt(x, y);
            if (label == 0)
                continue;
            const Face& face = faces[static_cast<size_t>(label - 1)];
            bool rim = false;
            for (int k = 0; k < 4 && face.outlined; ++k)
            {
                int other = faceAt(x + dx[k], y + dy[k]);
                if (other < label && (other == 0 || faces[static_cast<size_t>(other - 1)].group != face.group))
                    rim = true;
            }
            Pattern pattern = rim ? face.rim : face.fill;
            canvas.setPattern(x, y, pattern);
        }
}

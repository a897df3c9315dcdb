// Runs the CRT shader from the run folder on a known frame, as the game
// presents it, and checks the result pixel by pixel.

#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{

const sf::Color light(232, 206, 168);
const sf::Color dark(70, 62, 108);
const unsigned logicalWidth = 160;
const unsigned logicalHeight = 90;

// The test frame in logical pixels: a dark block in the top-left quarter (to
// catch a flipped picture) and one-pixel strokes in the middle.
sf::Image logicalFrame()
{
    sf::Image image;
    image.create(logicalWidth, logicalHeight, light);
    for (unsigned y = 10; y < 30; ++y)
        for (unsigned x = 10; x < 40; ++x)
            image.setPixel(x, y, dark);
    for (unsigned y = 30; y < 60; ++y)
        for (unsigned x = 76; x <= 84; x += 2)
            image.setPixel(x, y, dark);
    for (unsigned x = 60; x < 100; ++x)
        image.setPixel(x, 50, dark);
    return image;
}

int brightness(const sf::Color& c)
{
    return c.r + c.g + c.b;
}

class CrtShader : public ::testing::TestWithParam<unsigned>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sf::Shader::isAvailable());
        const std::string folder = std::string(QUILLFENN_RUN_DIR) + "/shaders/";
        ASSERT_TRUE(shader.loadFromFile(folder + "crt1.vert", folder + "crt1.frag"));
    }

    // The frame scaled up into a render texture, then drawn through the
    // shader into a second one; returns (input, output) images.
    std::pair<sf::Image, sf::Image> present(unsigned scale)
    {
        const unsigned width = logicalWidth * scale, height = logicalHeight * scale;
        sf::Texture logical;
        logical.loadFromImage(logicalFrame());
        sf::RenderTexture frame;
        EXPECT_TRUE(frame.create(width, height));
        sf::Sprite scaled(logical);
        scaled.setScale(static_cast<float>(scale), static_cast<float>(scale));
        frame.clear(sf::Color::Black);
        frame.draw(scaled);
        frame.display();

        shader.setUniform("texture", sf::Shader::CurrentTexture);
        shader.setUniform("width", static_cast<float>(width));
        shader.setUniform("height", static_cast<float>(height));
        shader.setUniform("scale", static_cast<float>(scale));
        sf::RenderTexture window;
        EXPECT_TRUE(window.create(width, height));
        window.clear(sf::Color::Black);
        window.draw(sf::Sprite(frame.getTexture()), &shader);
        window.display();
        return {frame.getTexture().copyToImage(), window.getTexture().copyToImage()};
    }

    sf::Shader shader;
};

TEST_P(CrtShader, KeepsTheMiddleOfTheFrameCloseToTheInputAndTheRightWayUp)
{
    const unsigned scale = GetParam();
    auto images = present(scale);
    const sf::Image& in = images.first;
    const sf::Image& out = images.second;
    const unsigned w = in.getSize().x, h = in.getSize().y;

    // The right way up: the marker block stays top-left.
    EXPECT_LT(brightness(out.getPixel(25 * scale, 20 * scale)), brightness(dark) + 30);
    EXPECT_GT(brightness(out.getPixel(25 * scale, (logicalHeight - 20) * scale)), brightness(light) * 3 / 4);

    // Away from the edges no pixel gains light or loses more than about a
    // fifth of it, so strokes neither smear nor vanish.
    for (unsigned y = h / 4; y < h * 3 / 4; ++y)
    {
        for (unsigned x = w / 4; x < w * 3 / 4; ++x)
        {
            const sf::Color a = in.getPixel(x, y), b = out.getPixel(x, y);
            const int channels[3][2] = {{a.r, b.r}, {a.g, b.g}, {a.b, b.b}};
            for (const auto& ch : channels)
            {
                ASSERT_LE(ch[1], ch[0] + 3) << "at " << x << "," << y << " scale " << scale;
                ASSERT_GE(ch[1], ch[0] * 76 / 100 - 2) << "at " << x << "," << y << " scale " << scale;
            }
        }
    }
}

TEST_P(CrtShader, ScanlinesFollowLogicalRowsAndStayGentle)
{
    const unsigned scale = GetParam();
    auto images = present(scale);
    const sf::Image& out = images.second;
    const unsigned x = out.getSize().x / 2 + 3 * scale; // plain background
    const unsigned firstRow = (logicalHeight / 2 - 4) * scale;
    for (unsigned row = firstRow; row < firstRow + 4 * scale; row += scale)
    {
        int brightest = 0, darkest = 1 << 20;
        for (unsigned k = 0; k < scale; ++k)
        {
            const int b = brightness(out.getPixel(x, row + k));
            brightest = std::max(brightest, b);
            darkest = std::min(darkest, b);
            // Every logical row looks the same as the next one.
            EXPECT_NEAR(b, brightness(out.getPixel(x, row + k + scale)), 3);
        }
        EXPECT_GE(darkest * 100, brightest * 80) << "scanline darker than a fifth at scale " << scale;
        if (scale >= 2)
            EXPECT_LE(darkest * 100, brightest * 97) << "no visible scanline at scale " << scale;
        else
            EXPECT_EQ(darkest, brightest);
    }
}

INSTANTIATE_TEST_SUITE_P(PixelScales, CrtShader, ::testing::Values(1u, 2u, 3u, 4u),
                         [](const ::testing::TestParamInfo<unsigned>& scale) {
                             return "scale" + std::to_string(scale.param);
                         });

} // namespace

#include "GlWorld.h"

#include "gui/Button.h"
#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/Window.h"

#include <gtest/gtest.h>

namespace
{

using fixtures::GlWorld;

// Pixels of a colour inside a rectangle.
int countColor(const sf::Image& image, const sf::IntRect& rect, const sf::Color& color)
{
    int count = 0;
    for (int y = rect.top; y < rect.top + rect.height; ++y)
        for (int x = rect.left; x < rect.left + rect.width; ++x)
            if (image.getPixel(x, y) == color)
                ++count;
    return count;
}

sf::IntRect boxOf(gui::Widget* widget)
{
    sf::Vector2i p = widget->getAbsolutePosition();
    return sf::IntRect(p.x, p.y, widget->width, widget->height);
}

sf::Event mouseMove(int x, int y)
{
    sf::Event event;
    event.type = sf::Event::MouseMoved;
    event.mouseMove.x = x;
    event.mouseMove.y = y;
    return event;
}

TEST(UiRenderGlTest, DialogWithTitleWrappedTextAndYesNo)
{
    GlWorld world;
    const sf::Color light = world.game.lightColor;
    const sf::Color dark = world.game.darkColor;
    world.game.ui->statusMessage = "Build mode";
    gui::Window* dialog = world.game.ui->showMessage(
        "Rejoice!", "Your city has grown: apartment buildings are now available to build.", true);
    ASSERT_NE(dialog, nullptr);
    sf::Image image = world.frame();
    image.saveToFile(std::string(QUILLFENN_RUN_DIR) + "/../dialog_render.png");

    // Screen frame: a light line at the edge, a dark one inside it, corner sprites on top.
    EXPECT_EQ(image.getPixel(0, 100), light);
    EXPECT_EQ(image.getPixel(1, 100), dark);
    EXPECT_EQ(image.getPixel(638, 100), dark);
    EXPECT_EQ(image.getPixel(5, 1), dark);   // top-left corner sprite
    EXPECT_EQ(image.getPixel(634, 1), dark); // mirrored at the top right
    EXPECT_EQ(image.getPixel(1, 345), dark); // mirrored at the bottom left

    // Status bar: a dark outline round the status text, which is drawn in the dark colour.
    EXPECT_EQ(image.getPixel(100, 347), dark);
    EXPECT_EQ(image.getPixel(100, 358), dark);
    EXPECT_EQ(image.getPixel(100, 352), light);
    EXPECT_GT(countColor(image, sf::IntRect(4, 348, 40, 8), dark), 40);

    // Dialog frame: rounded transparent corner, dark border, light fill, shadow below right.
    sf::IntRect box = boxOf(dialog);
    EXPECT_EQ(image.getPixel(box.left, box.top), light);
    EXPECT_EQ(image.getPixel(box.left + 1, box.top), dark);
    EXPECT_EQ(image.getPixel(box.left, box.top + 30), dark);
    EXPECT_EQ(image.getPixel(box.left + box.width - 1, box.top + 30), dark);
    EXPECT_EQ(image.getPixel(box.left + 3, box.top + 30), light);
    EXPECT_EQ(image.getPixel(box.left + box.width + 1, box.top + 30), dark); // shadow
    EXPECT_EQ(image.getPixel(box.left + 30, box.top + box.height + 1), dark);

    // Title bar: a dark band with the title in the light colour.
    EXPECT_EQ(image.getPixel(box.left + 150, box.top + 6), dark);
    EXPECT_GT(countColor(image, sf::IntRect(box.left + 11, box.top + 7, 32, 7), light), 30);

    // Message: two or more lines of dark glyphs inside the text box.
    gui::Text* message = static_cast<gui::Text*>(dialog->children.back());
    ASSERT_GE(message->lines.size(), 2u);
    sf::IntRect textBox = boxOf(message);
    EXPECT_GT(countColor(image, sf::IntRect(textBox.left, textBox.top, textBox.width, 7), dark),
              100);
    EXPECT_GT(countColor(image, sf::IntRect(textBox.left, textBox.top + 7, textBox.width, 7),
                         dark),
              50);

    // Both buttons carry their dark labels.
    for (const char* id : {"yesMsg", "noMsg"})
    {
        gui::Widget* button = dialog->findChildById(hashString(id), false);
        ASSERT_NE(button, nullptr);
        sf::IntRect b = boxOf(button);
        EXPECT_GT(countColor(image, sf::IntRect(b.left + 18, b.top + 4, b.width - 36, 10), dark),
                  15)
            << id;
    }
}

TEST(UiRenderGlTest, ButtonLooks)
{
    GlWorld world;
    const sf::Color dark = world.game.darkColor;
    gui::Button* button = world.game.ui->createButton(100, 100, 60, 18, "", 0, 2);
    world.game.ui->gameRoot->addChild(button);
    const sf::IntRect inner(102, 102, 56, 14); // inside the frame border

    int normal = countColor(world.frame(), inner, dark);
    world.game.ui->handleEvent(mouseMove(130, 109));
    sf::Image hoverImage = world.frame();
    int hover = countColor(hoverImage, inner, dark);
    EXPECT_GE(hover, normal + 2 * 56 + 2 * 12) << "hover highlight inside the frame";

    world.game.ui->handleEvent(fixtures::mouseButton(sf::Event::MouseButtonPressed, 130, 109));
    sf::Image pressed = world.frame();
    // Pressed: moved one pixel toward its shadow, which is no longer drawn.
    EXPECT_EQ(hoverImage.getPixel(100, 110), dark);
    EXPECT_EQ(pressed.getPixel(100, 110), world.game.lightColor);
    EXPECT_EQ(pressed.getPixel(101, 110), dark);
    EXPECT_EQ(hoverImage.getPixel(162, 110), dark); // shadow
    EXPECT_EQ(pressed.getPixel(162, 110), world.game.lightColor);
    world.game.ui->handleEvent(fixtures::mouseButton(sf::Event::MouseButtonReleased, 300, 300));

    // Disabled: faded by a checkerboard, and no hover look.
    button->setEnabled(false);
    world.game.ui->handleEvent(mouseMove(130, 109));
    sf::Image disabled = world.frame();
    EXPECT_EQ(disabled.getPixel(100, 110), world.game.lightColor); // the border, faded
    EXPECT_EQ(disabled.getPixel(100, 111), dark);
    EXPECT_LT(countColor(disabled, inner, dark), hover);
}

TEST(UiRenderGlTest, ImagesCentreAndSkipWithoutSprite)
{
    GlWorld world;
    sf::Sprite* icon = world.game.sprites->getSprite("ui/help_button"); // 10 x 10
    const sf::Color dark = world.game.darkColor;
    struct Case
    {
        int boxWidth;
        int firstDarkOffset;
    };
    for (const Case& c : {Case{11, 0}, Case{13, 1}, Case{10, 0}, Case{20, 5}})
    {
        gui::Image* image = world.game.ui->createImage(200, 200, c.boxWidth, 10, icon, 0);
        image->centered = true;
        world.game.ui->gameRoot->addChild(image);
        sf::Image picture = world.frame();
        int first = -1;
        for (int x = 195; x < 230 && first < 0; ++x)
            if (picture.getPixel(x, 205) == dark)
                first = x - 200;
        EXPECT_EQ(first, c.firstDarkOffset) << "box " << c.boxWidth;
        world.game.ui->gameRoot->removeChild(image);
    }

    // An image without a sprite draws nothing, not even its children.
    gui::Image* empty = world.game.ui->createImage(200, 200, 40, 20, nullptr, 0);
    empty->addChild(world.game.ui->createText(0, 0, 40, 20, "abc", 0, 0));
    world.game.ui->gameRoot->addChild(empty);
    EXPECT_EQ(countColor(world.frame(), sf::IntRect(195, 195, 50, 30), dark), 0);

    // A source rectangle draws only that part.
    gui::Image* part = world.game.ui->createImage(300, 200, 4, 4, icon, 0);
    part->sourceRect = sf::IntRect(0, 0, 4, 4);
    world.game.ui->gameRoot->addChild(part);
    EXPECT_EQ(countColor(world.frame(), sf::IntRect(295, 195, 20, 20), dark), 16);
}

TEST(UiRenderGlTest, TextLinesAlignmentAndBadFont)
{
    GlWorld world;
    const sf::Color dark = world.game.darkColor;
    gui::Text* text = world.game.ui->createText(100, 100, 60, 40, "", 0, 0);
    world.game.ui->gameRoot->addChild(text);
    const sf::IntRect area(95, 95, 80, 60);

    // Only the last two of five lines are drawn.
    text->maxLines = 2;
    text->vAlign = 10;
    text->setText("aaa\naaa\naaa\nbbb\nbbb");
    sf::Image image = world.frame();
    EXPECT_EQ(countColor(image, area, dark), 2 * 3 * 15 - 2 * 3 * 0);
    EXPECT_EQ(image.getPixel(101, 101), dark);   // first shown line at the top
    EXPECT_EQ(image.getPixel(101, 108), dark);   // second shown line below it
    EXPECT_EQ(image.getPixel(101, 115), world.game.lightColor);

    // Right alignment and a tag that draws nothing.
    text->maxLines = 0;
    text->hAlign = 2;
    text->setText("a<tag>");
    image = world.frame();
    EXPECT_EQ(countColor(image, area, dark), 15);
    EXPECT_EQ(image.getPixel(100 + 60 - 2, 101), dark); // letter spacing sits at the right edge
    EXPECT_EQ(image.getPixel(100 + 60 - 1, 101), world.game.lightColor);

    // Outlined: dark around, light inside.
    text->outline = true;
    text->hAlign = 0;
    text->setText("a");
    image = world.frame();
    EXPECT_EQ(image.getPixel(101, 103), world.game.lightColor);
    EXPECT_EQ(image.getPixel(99, 103), dark);
    EXPECT_EQ(image.getPixel(103, 103), dark);
    EXPECT_EQ(image.getPixel(101, 100), dark);

    // A font index that names no font draws nothing.
    text->outline = false;
    text->setFont(42);
    text->setText("aaaa");
    EXPECT_EQ(countColor(world.frame(), area, dark), 0);
}

} // namespace

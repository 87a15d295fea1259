// The five controls: their pictures and defaults, what they draw, and how
// they answer the mouse and the keyboard.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "ui/button_control.h"
#include "ui/checkbox_control.h"
#include "ui/edit_control.h"
#include "ui/effect_layer.h"
#include "ui/progress_control.h"
#include "ui/static_control.h"
#include "ui_test_support.h"

namespace {

using namespace uitest;
using namespace platform;

class ControlsTest : public UiTest {
protected:
    // Loads a screen file made of the given sections and shows it.
    RecordingScreen* screenOf(const std::string& list, const std::string& sections) {
        dir.write("data/menu/test.ini", "[main]\r\n" + list + sections);
        recordingManager();
        return show("test");
    }
    template <class Control>
    Control* control(Screen* screen, const char* name) {
        return dynamic_cast<Control*>(screen->findChild(name));
    }
};

TEST_F(ControlsTest, ButtonPicturesDefaultFromNormalToActiveToPressed) {
    dir.write("n.tga", flatTga(30, 20, 0xFF0000));
    dir.write("p.tga", flatTga(30, 20, 0x0000FF));
    RecordingScreen* screen = screenOf("0=one\r\n1=two\r\n",
                                       "[one]\r\ntype=button\r\npath=n.tga\r\n"
                                       "[two]\r\ntype=button\r\npath=n.tga\r\npath_p=p.tga\r\nxs=50\r\n");
    auto* one = control<ButtonControl>(screen, "one");
    const Sprite* normal = one->stateImage(ButtonControl::kNormal);
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(one->stateImage(ButtonControl::kActive), normal);
    EXPECT_EQ(one->stateImage(ButtonControl::kPressed), normal);
    EXPECT_EQ(one->stateImage(ButtonControl::kDisabled), nullptr);
    EXPECT_EQ(one->xs, 30);  // sized by its picture
    EXPECT_EQ(one->ys, 20);
    EXPECT_STREQ(one->typeTag(), "button");

    auto* two = control<ButtonControl>(screen, "two");
    EXPECT_EQ(two->stateImage(ButtonControl::kActive), normal);
    EXPECT_NE(two->stateImage(ButtonControl::kPressed), normal);
    EXPECT_EQ(two->xs, 50);  // a size given in the file stays

    // Pressed and still under the mouse shows the pressed picture.
    send(WM_MOUSEMOVE, 10, 10);
    send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    two->draw(0, 0, *target);
    EXPECT_EQ(pixelAt(*target, 5, 5), kBlue);
}

// Disabled, a button stays in sight but faint: its disabled picture where
// it has one, else its own, at a third of its strength. It takes no click.
TEST_F(ControlsTest, DisabledButtonIsDrawnFaintAndTakesNoClick) {
    dir.write("n.tga", flatTga(30, 20, 0xFF0000));
    dir.write("d.tga", flatTga(30, 20, 0x00FF00));
    RecordingScreen* screen = screenOf("0=b\r\n1=plain\r\n", "[b]\r\ntype=button\r\npath=n.tga\r\npath_d=d.tga\r\n"
                                       "[plain]\r\ntype=button\r\nx=40\r\npath=n.tga\r\n");
    auto* b = control<ButtonControl>(screen, "b");
    b->enabled = false;
    control<ButtonControl>(screen, "plain")->enabled = false;
    manager->draw(0, 0, *target);
    const std::uint16_t faintGreen = pixelAt(*target, 5, 5), faintRed = pixelAt(*target, 45, 5);
    EXPECT_EQ(faintGreen >> 11, 0);
    EXPECT_GT((faintGreen >> 5) & 63, 63 / 5);
    EXPECT_LT((faintGreen >> 5) & 63, 63 / 2);
    EXPECT_GT(faintRed >> 11, 31 / 5);
    EXPECT_LT(faintRed >> 11, 31 / 2);
    EXPECT_EQ((faintRed >> 5) & 63, 0);
    EXPECT_EQ(screen->hitTest(5, 5), nullptr);
    send(WM_MOUSEMOVE, 5, 5);
    send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    send(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(b->keyDown(1, 0), 0);
    EXPECT_EQ(b->keyUp(1, 0), 0);
    EXPECT_TRUE(screen->commands.empty());
}

TEST_F(ControlsTest, CheckBoxFiresOnThePressAndInvertsOncePerClick) {
    dir.write("off.tga", flatTga(16, 16, 0xFF0000));
    dir.write("on.tga", flatTga(16, 16, 0x0000FF));
    dir.write("dis.tga", flatTga(16, 16, 0x00FF00));
    RecordingScreen* screen =
        screenOf("0=box\r\n", "[box]\r\ntype=checkbox\r\npath=off.tga\r\npath_p=on.tga\r\npath_d=dis.tga\r\n");
    auto* box = control<CheckboxControl>(screen, "box");
    send(WM_MOUSEMOVE, 8, 8);
    send(WM_LBUTTONDOWN, 8, 8, MK_LBUTTON);
    EXPECT_EQ(box->value, 1);
    EXPECT_EQ(screen->commands.size(), 1u);  // on the press
    send(WM_LBUTTONUP, 8, 8);
    EXPECT_EQ(box->value, 1);
    EXPECT_EQ(screen->commands.size(), 1u);
    box->draw(0, 0, *target);
    EXPECT_EQ(pixelAt(*target, 4, 4), kBlue);  // ticked shows the pressed picture
    send(WM_LBUTTONDOWN, 8, 8, MK_LBUTTON);
    send(WM_LBUTTONUP, 8, 8);
    EXPECT_EQ(box->value, 0);
    EXPECT_EQ(screen->commands.size(), 2u);

    box->enabled = false;
    EXPECT_EQ(box->keyDown(1, 0), 0);
    EXPECT_EQ(box->value, 0);
    box->draw(0, 0, *target);
    EXPECT_EQ(pixelAt(*target, 4, 4), kGreen);  // disabled boxes show their disabled picture
}

class BarTest : public ControlsTest {
protected:
    ProgressControl* bar(const std::string& extra = "") {
        dir.write("fill.tga", flatTga(200, 10, 0xFF0000));
        dir.write("empty.tga", flatTga(200, 10, 0x0000FF));
        screen = screenOf("0=bar\r\n", "[bar]\r\ntype=progress\r\nx=100\r\ny=50\r\nleftpath=fill.tga\r\n"
                                       "rightpath=empty.tga\r\n" + extra);
        return control<ProgressControl>(screen, "bar");
    }
    RecordingScreen* screen = nullptr;
};

TEST_F(BarTest, HalfABarDrawsHalfOfEachPictureAndTinyValuesAreZero) {
    ProgressControl* b = bar();
    EXPECT_FLOAT_EQ(b->value(), 0.4f);  // the default
    b->setValue(0.5f);
    b->draw(0, 0, *target);
    EXPECT_EQ(countInRow(*target, 55, 100, 300, kRed), 100);
    EXPECT_EQ(countInRow(*target, 55, 100, 300, kBlue), 100);
    EXPECT_EQ(pixelAt(*target, 199, 55), kRed);
    EXPECT_EQ(pixelAt(*target, 200, 55), kBlue);

    b->setValue(0.004f);
    EXPECT_EQ(b->value(), 0.0f);
    clearTarget();
    b->draw(0, 0, *target);
    EXPECT_EQ(countInRow(*target, 55, 100, 300, kBlue), 200);

    b->setValue(1.7f);
    EXPECT_EQ(b->value(), 1.0f);
    b->setValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(b->value(), 0.0f);
}

TEST_F(BarTest, KnobWidensTheBarAndDraggingStopsAtEitherEnd) {
    dir.write("knob.tga", flatTga(20, 20, 0xFFFFFF));
    ProgressControl* b = bar("path=knob.tga\r\n");
    EXPECT_EQ(b->barOrigin(), 100);
    EXPECT_EQ(b->x, 90);
    EXPECT_EQ(b->xs, 220);

    send(WM_MOUSEMOVE, 150, 55);
    send(WM_LBUTTONDOWN, 150, 55, MK_LBUTTON);
    EXPECT_FLOAT_EQ(b->value(), 0.25f);
    send(WM_MOUSEMOVE, 700, 400, MK_LBUTTON);  // far outside: the bar keeps the mouse
    EXPECT_EQ(b->value(), 1.0f);
    EXPECT_EQ(screen->focusedChild(), b);
    send(WM_MOUSEMOVE, -300, 55, MK_LBUTTON);
    EXPECT_EQ(b->value(), 0.0f);
    send(WM_LBUTTONUP, -300, 55);
    EXPECT_FALSE(b->pressed());
    EXPECT_EQ(screen->commands.size(), 4u);  // the press, two moves and the release's move
    send(WM_MOUSEMOVE, 250, 55);  // after the release the bar no longer follows
    EXPECT_EQ(b->value(), 0.0f);

    // A display-only bar takes no mouse.
    b->tabStop = false;
    EXPECT_EQ(b->keyDown(1, at(250, 55)), 0);
    EXPECT_FALSE(b->pressed());
}

class EditTest : public ControlsTest {
protected:
    EditControl* field() {
        screen = screenOf("0=name\r\n", "[name]\r\ntype=edit\r\nxs=100\r\nys=20\r\n");
        return control<EditControl>(screen, "name");
    }
    void type(EditControl* e, const std::string& text) {
        for (unsigned char c : text) e->charInput(c, 0);
    }
    RecordingScreen* screen = nullptr;
};

TEST_F(EditTest, NinthCharacterIsTheLast) {
    EditControl* e = field();
    type(e, "Alexandra");
    EXPECT_STREQ(e->caption(), "Alexandra");
    EXPECT_EQ(e->charInput('!', 0), 0);
    EXPECT_STREQ(e->caption(), "Alexandra");
    EXPECT_EQ(e->charInput(8, 0), 0);  // Backspace's character is left to its key
    EXPECT_EQ(e->keyDown(VK_BACK, 0), 1);
    EXPECT_EQ(e->charInput(0xE9, 0), 1);  // Latin-1 letters are characters too
    EXPECT_STREQ(e->caption(), "Alexandr\xE9");
    EXPECT_EQ(e->focusSound(), nullptr);
}

TEST_F(EditTest, BackspaceAndDeleteAtTheEndsChangeNothing) {
    EditControl* e = field();
    e->setText("abc");
    EXPECT_EQ(e->caret(), 3);
    EXPECT_EQ(e->keyDown(VK_DELETE, 0), 0);
    EXPECT_EQ(e->keyDown(VK_HOME, 0), 1);
    EXPECT_EQ(e->keyDown(VK_BACK, 0), 0);
    EXPECT_EQ(e->keyDown(VK_LEFT, 0), 1);
    EXPECT_EQ(e->caret(), 0);
    EXPECT_STREQ(e->caption(), "abc");
    EXPECT_EQ(e->keyDown(VK_DELETE, 0), 1);
    EXPECT_STREQ(e->caption(), "bc");
    EXPECT_EQ(e->keyDown(VK_END, 0), 1);
    EXPECT_EQ(e->keyDown(VK_RIGHT, 0), 1);
    EXPECT_EQ(e->caret(), 2);
    EXPECT_EQ(e->keyDown(VK_BACK, 0), 1);
    EXPECT_STREQ(e->caption(), "b");
    EXPECT_EQ(e->keyDown('Q', 0), 0);
}

TEST_F(EditTest, TypingInTheMiddleInsertsAtTheCaret) {
    EditControl* e = field();
    e->setText("abc");
    e->keyDown(VK_HOME, 0);
    e->keyDown(VK_RIGHT, 0);
    EXPECT_EQ(e->charInput('X', 0), 1);
    EXPECT_STREQ(e->caption(), "aXbc");
    EXPECT_EQ(e->caret(), 2);
    // Characters reach it through the screen while it has the focus.
    send(WM_MOUSEMOVE, 10, 10);
    manager->handleWindowMessage(WM_CHAR, 'Y', 0);
    EXPECT_STREQ(e->caption(), "aXYbc");
}

TEST_F(ControlsTest, StaticWithPhaseAppearsAfterASecondWithItsSparkleJustBefore) {
    dir.write("s.tga", flatTga(10, 10, 0xFF0000));
    RecordingScreen* screen = screenOf("0=late\r\n", "[late]\r\ntype=static\r\nx=5\r\ny=5\r\npath=s.tga\r\nphase=1000\r\n");
    testing::internal::CaptureStderr();  // the sparkle's own picture is not in this folder
    EffectLayer& layer = createEffectLayer();
    testing::internal::GetCapturedStderr();
    auto* late = control<StaticControl>(screen, "late");
    int sparkleAt = -1;
    for (int step = 1; step <= 50; ++step) {
        const int before = layer.effectCount();
        manager->update(20);
        if (layer.effectCount() > before) {
            EXPECT_EQ(sparkleAt, -1) << "a second sparkle at step " << step;
            sparkleAt = step;
        }
        clearTarget();
        manager->draw(0, 0, *target);
        EXPECT_EQ(pixelAt(*target, 8, 8), step < 50 ? 0 : kRed) << "step " << step;
    }
    EXPECT_EQ(sparkleAt, 49);  // the clock reaches 980
    EXPECT_EQ(late->clock, 1000);

    // Showing the screen again replays it.
    show("test");
    EXPECT_EQ(late->clock, 0);
    const int before = layer.effectCount();
    for (int step = 0; step < 49; ++step) manager->update(20);
    EXPECT_GT(layer.effectCount(), before);
    destroyEffectLayer();
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"
#include "engine/uGame.h"
#include "platform/uGamepads.h"
#include "storage/uPackIni.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <SDL2/SDL.h>

namespace {

// A controller SDL makes itself, as a player's pad would be plugged in, with every button and axis of the
// game controller API.
class tVirtualPad {
public:
    explicit tVirtualPad(tGamepads& gamepads) : gamepads_(gamepads) { Plug(); }
    ~tVirtualPad() { Unplug(); }

    void Plug() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Test pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(index, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(index);
        ASSERT_NE(joystick_, nullptr) << SDL_GetError();
        gamepads_.Poll();
    }
    void Unplug() {
        if (joystick_ == nullptr)
            return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id)
                SDL_JoystickDetachVirtual(i);
        gamepads_.Poll();
    }
    void Hold(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
        gamepads_.Poll();
    }
    void Press(SDL_GameControllerButton button) {
        Hold(button, true);
        Hold(button, false);
    }
    void Stick(SDL_GameControllerAxis axis, int16_t value) {
        SDL_JoystickSetVirtualAxis(joystick_, axis, value);
        gamepads_.Poll();
    }

private:
    tGamepads& gamepads_;
    SDL_Joystick* joystick_ = nullptr;
};

class Gamepad : public FormFixture {
protected:
    // The window logged in and active, listening to controllers through SDL, loaded as a joystick would
    // have it loaded.
    void StartListening(const QString& player) {
        Start();
        form->ListenTo(gamepads);
        LogIn(player);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        gamepads.Load();
        QTRY_COMPARE(gamepads.State(), tGamepads::tState::Ready);
    }
    // The actions of the last press the game recorded.
    tActionSet LastPress() const {
        const auto& presses = form->Glass()->Model().Record().Presses;
        return presses.empty() ? 0 : presses.back().Actions;
    }
    void WriteUsers(const std::string& text) {
        tStringListPackedINI ini;
        ini.SetText(text);
        ini.SaveCompressedFile(dir_.filePath("users.dat").toStdString());
    }
    tStringListPackedINI ReadUsers() {
        tStringListPackedINI ini;
        ini.ReadCompressedFile(dir_.filePath("users.dat").toStdString());
        return ini;
    }
    TKeyEdit* ButtonEdit(int slot) const {
        return Find<TKeyEdit>(qPrintable(QString("eButtons%1").arg(slot)));
    }

    tGamepads gamepads;
};

} // namespace

TEST_F(Gamepad, AControllerPlaysAGameAsKeysDoAndMayBeUnpluggedAndPluggedAgain) {
    StartListening("Ann");
    tGlass& glass = *form->Glass();
    tVirtualPad pad(gamepads);
    EXPECT_EQ(gamepads.Attached(), 1);

    pad.Press(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(glass.Playing());
    glass.Tick();
    ASSERT_TRUE(glass.Falling());
    const int x = glass.FigX();
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(glass.FigX(), x - 1);
    EXPECT_EQ(LastPress(), ActionBit(tAction::MoveLeft));
    // The stick held right moves once at once and then again and again, as a held key does.
    pad.Stick(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_EQ(glass.FigX(), x);
    QTRY_VERIFY_WITH_TIMEOUT(glass.FigX() >= x + 2, 3000);
    pad.Stick(SDL_CONTROLLER_AXIS_LEFTX, 0);
    const int heldTo = glass.FigX();
    QTest::qWait(100);
    EXPECT_EQ(glass.FigX(), heldTo);
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(LastPress(), ActionBit(tAction::RotateRight));
    pad.Press(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(LastPress(), ActionBit(tAction::RotateLeft));
    const int keys = glass.Model().Counters().Keys;
    pad.Press(SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(LastPress(), ActionBit(tAction::Drop));
    EXPECT_EQ(glass.Model().Counters().Keys, keys + 1);
    EXPECT_FALSE(glass.Well().RowIsEmpty(kWellRows));
    // The next figure comes after the drop's pause.
    QTRY_VERIFY_WITH_TIMEOUT(glass.Falling(), 1000);
    pad.Press(SDL_CONTROLLER_BUTTON_Y);
    EXPECT_EQ(LastPress(), ActionBit(tAction::QMoveDown));

    pad.Press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(glass.Paused());
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(glass.Paused());

    // Pulled out in the middle of the game, the controller pauses it; plugged in again, it goes on with it.
    pad.Unplug();
    EXPECT_EQ(gamepads.Attached(), 0);
    EXPECT_TRUE(glass.Paused());
    pad.Plug();
    EXPECT_EQ(gamepads.Attached(), 1);
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(glass.Paused());
    glass.Tick();
    const int before = glass.FigX();
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(glass.FigX(), before + 1);

    // Off the well page a button plays nothing.
    QTest::keyClick(form->KeyTarget(), Qt::Key_F4);
    const int shown = glass.Model().Counters().Keys;
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(glass.Model().Counters().Keys, shown);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Gamepad, AHeldButtonRepeatsAtThePlayersDelayAndRate) {
    WriteUsers("[Rita]\r\nRepeatDelay=300\r\nRepeatRate=10\r\n");
    StartListening("Rita");
    tGlass& glass = *form->Glass();
    tVirtualPad pad(gamepads);
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    glass.Tick();
    ASSERT_TRUE(glass.Falling());
    // Held for a second: the press, then a repeat 300 ms after it and every 100 ms from there, where the
    // desktop's repeat would give about 17.
    QElapsedTimer held;
    pad.Hold(SDL_CONTROLLER_BUTTON_A, true);
    held.start();
    QTest::qWait(1000);
    pad.Hold(SDL_CONTROLLER_BUTTON_A, false);
    const int expected = 2 + static_cast<int>((held.elapsed() - 300) / 100);
    int rotations = 0;
    for (const tRecordedPress& press : glass.Model().Record().Presses)
        rotations += press.Actions == ActionBit(tAction::RotateRight) ? 1 : 0;
    EXPECT_NEAR(rotations, expected, 2);
}

TEST_F(Gamepad, ButtonsBoundOnTheOptionsPageAreKeptInUsersDatBesideTheKeys) {
    // A file of an older version has no buttons: its player gets the standard ones.
    WriteUsers("[Old]\r\nRotateRight=Up\r\nDrop=Ctrl\r\n");
    StartListening("Old");
    EXPECT_EQ(ButtonEdit(1)->text(), "a");
    EXPECT_EQ(ButtonEdit(7)->text(), "x");
    tVirtualPad pad(gamepads);

    QTest::keyClick(form->KeyTarget(), Qt::Key_F4);
    QTest::mouseClick(ButtonEdit(7), Qt::LeftButton);
    pad.Press(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    EXPECT_EQ(ButtonEdit(7)->text(), "leftshoulder");
    // A button another action has moves to this one; Start keeps its own job.
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(ButtonEdit(7)->text(), "a");
    EXPECT_EQ(ButtonEdit(1)->text(), "");
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(ButtonEdit(7)->text(), "a");
    QTest::mouseClick(ButtonEdit(6), Qt::LeftButton);
    QTest::keyClick(ButtonEdit(6), Qt::Key_Delete);
    EXPECT_EQ(ButtonEdit(6)->text(), "");
    QTest::mouseClick(ButtonEdit(3), Qt::LeftButton);
    pad.Stick(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.Stick(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(ButtonEdit(3)->text(), "dpup");

    // The well plays with them at once.
    QTest::keyClick(form->KeyTarget(), Qt::Key_F3);
    tGlass& glass = *form->Glass();
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    glass.Tick();
    ASSERT_TRUE(glass.Falling());
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(LastPress(), ActionBit(tAction::Drop));
    const size_t presses = glass.Model().Record().Presses.size();
    pad.Press(SDL_CONTROLLER_BUTTON_Y);
    EXPECT_EQ(glass.Model().Record().Presses.size(), presses);

    form->iSaveClick();
    const tStringListPackedINI users = ReadUsers();
    EXPECT_EQ(users.ReadString("Old", "DropButton", "?"), "a");
    EXPECT_EQ(users.ReadString("Old", "RotateRightButton", "?"), "");
    EXPECT_EQ(users.ReadString("Old", "MoveLeftButton", "?"), "dpup");
    EXPECT_EQ(users.ReadString("Old", "Drop", "?"), "Ctrl");

    // Logged in again, the player finds them as they were left.
    form->iUserClick();
    LogIn("Old");
    EXPECT_EQ(ButtonEdit(7)->text(), "a");
    EXPECT_EQ(ButtonEdit(1)->text(), "");
    EXPECT_EQ(ButtonEdit(3)->text(), "dpup");
    EXPECT_EQ(ButtonEdit(6)->text(), "");
}

TEST_F(Gamepad, WithoutAJoystickOrWithoutSdlTheGameIsAsBefore) {
    // No joystick among the devices: SDL stays unloaded until one comes.
    QTemporaryDir devices;
    tGamepads watching;
    watching.Watch(devices.path());
    QTest::qWait(50);
    EXPECT_EQ(watching.State(), tGamepads::tState::Idle);
    QFile node(devices.filePath("js0"));
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    node.close();
    QTRY_COMPARE(watching.State(), tGamepads::tState::Ready);

    // A system without SDL's library: nothing is told and the keys play as ever.
    tGamepads missing("libSDL2-missing.so.0");
    missing.Watch(devices.path());
    QTRY_COMPARE(missing.State(), tGamepads::tState::Failed);
    Start();
    form->ListenTo(missing);
    LogIn("Ann");
    tGlass& glass = *form->Glass();
    QTest::keyClick(form->KeyTarget(), Qt::Key_F2);
    glass.Tick();
    ASSERT_TRUE(glass.Falling());
    const int x = glass.FigX();
    QTest::keyClick(form->KeyTarget(), Qt::Key_Left);
    EXPECT_EQ(glass.FigX(), x - 1);
    EXPECT_TRUE(messages.empty());

    // SDL's names are the ones users.dat keeps.
    std::vector<std::string> names;
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
        names.emplace_back(
            SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(button)));
    EXPECT_EQ(names, GamepadButtonNames());
}

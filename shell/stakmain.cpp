// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/stakmain.h"

#include "engine/uGame.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uBitmap.h"
#include "platform/uGamepads.h"
#include "platform/uMessage.h"
#include "platform/uResource.h"
#include "shell/uAbout.h"
#include "shell/uApplySkin.h"
#include "shell/uFullScreen.h"
#include "shell/uGamepadInput.h"
#include "shell/uHelp.h"
#include "shell/uKeyHook.h"
#include "shell/uKeyRepeat.h"
#include "shell/uKeys.h"
#include "shell/uLogInPage.h"
#include "shell/uOpenedReplay.h"
#include "shell/uOptionsPage.h"
#include "shell/uPanelLook.h"
#include "shell/uSession.h"
#include "shell/uShortcuts.h"
#include "widgets/uCrispPixmap.h"
#include "widgets/uOther.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>

namespace {

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;

QFrame* Panel(QWidget* parent, const char* name, QRect place) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(place);
    panel->setFont(PanelFont(false));
    PaintPanel(panel, skincolor::DarkRed);
    return panel;
}

} // namespace

TMainForm::TMainForm() : QWidget(nullptr, kWindowedFrame) {
    setWindowTitle(kVersionLine);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    client = new QWidget(this);
    client->setObjectName("client");
    client->setGeometry(0, 0, kClientWidth, kClientHeight);
    PaintPanel(client, skincolor::DarkRed);
    fullScreen_ = std::make_unique<tFullScreen>(*this, *client, QSize(kClientWidth, kClientHeight));

    pLogIn = new TLogInPage(client);
    connect(pLogIn, &TLogInPage::logInClicked, this, &TMainForm::bLogInClick);
    connect(pLogIn, &TLogInPage::aboutClicked, this, &TMainForm::iAboutClick);
    connect(pLogIn, &TLogInPage::exitClicked, this, &TMainForm::iExitClick);
    pAbout = new TAboutPanel(client);
    connect(pAbout, &TAboutPanel::closed, this, &TMainForm::iAboutCloseClick);
    keyRepeat_ = std::make_unique<tKeyRepeat>([this](uint16_t code) {
        // A message box takes the keys, the key's release too: a key held when it opened is let go.
        if (QApplication::activeModalWidget() != nullptr)
            keyRepeat_->ReleaseAll();
        else if (view_ == tView::Well && Glass() != nullptr)
            Glass()->HandleKey(code);
    });
    BuildGameView();
    session_ = std::make_unique<tSession>(*pGlass, *pConf, [this](bool on) { SetFullScreen(on); });
    pLogIn->FillUserList(session_->Players());
    connect(pConf, &TOptionsPage::fullScreenToggled, this, &TMainForm::SetFullScreen);
    connect(pConf, &TOptionsPage::repeatChanged, this, &TMainForm::ApplyRepeat);
    openedReplay_ =
        std::make_unique<tOpenedReplay>([this] { return view_ == tView::Well ? Glass() : nullptr; });
    gamepadInput_ = std::make_unique<tGamepadInput>(tGamepadInput::tRoutes{
        .active = [this] { return isActiveWindow(); },
        .view = [this] { return view_; },
        .well = [this] { return Glass(); },
        .focus = [this] { return client->focusWidget(); },
        .buttons = pConf->Buttons(),
        .lost = [this] { AppDeactivate(); },
    });

    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            AppDeactivate();
    });
    MakeShortcuts();

    languageTarget_ = AddLanguageTarget([this] { ApplyTexts(); });
    tWindowSkinParts skinned{client,
                             pGame,
                             pGlass,
                             pConf,
                             iHelp,
                             iUser,
                             iExitGame,
                             {iBGLeft, iBGBottom, iBGRight},
                             pConf->SkinParts()};
    windowSkin_ = std::make_unique<tWindowSkin>(std::move(skinned));
    skinTarget_ = AddSkinTarget([this] { ApplySkinPictures(); });
    skinListTarget_ = AddSkinListTarget([this] { iOptClick(); });
}

TMainForm::~TMainForm() {
    // No key reaches a window that is going: the saves of the close may still show a message.
    keyHook_.reset();
    session_->Close();
}

void TMainForm::BuildGameView() {
    pGame = Panel(client, "pGame", QRect(5, 5, 630, 470));
    pGame->hide();
    // The two tabs are pictures: a left press on one opens its page.
    iGame = new QLabel(pGame);
    iGame->setObjectName("iGame");
    iGame->setGeometry(10, 5, 31, 60);
    iGame->installEventFilter(this);
    iOpt = new QLabel(pGame);
    iOpt->setObjectName("iOpt");
    iOpt->setGeometry(10, 65, 31, 60);
    iOpt->installEventFilter(this);
    iHelp = CreateImageButton(pGame, 4, 365, 31, 30, "Help", "HelpS", "Help");
    iUser = CreateImageButton(pGame, 4, 400, 31, 30, "User", "UserS", "Change player");
    iExitGame = CreateImageButton(pGame, 4, 435, 31, 30, "Exit", "ExitS", "Exit");
    iHelp->setObjectName("iHelp");
    iUser->setObjectName("iUser");
    iExitGame->setObjectName("iExitGame");
    connect(iHelp, &tMyButton::clicked, this, [] { iHelpClick(); });
    connect(iUser, &tMyButton::clicked, this, &TMainForm::iUserClick);
    connect(iExitGame, &tMyButton::clicked, this, &TMainForm::iExitClick);

    pGlass = Panel(pGame, "pGlass", QRect(40, 5, 585, 460));
    // The skin lays its background around the well into these; hidden while it has none.
    const auto background = [this](const char* name, QRect place) {
        auto* picture = new QLabel(pGlass);
        picture->setObjectName(name);
        picture->setGeometry(place);
        picture->hide();
        return picture;
    };
    iBGLeft = background("iBGLeft", QRect(1, 1, 120, 458));
    iBGBottom = background("iBGBottom", QRect(121, 401, 202, 58));
    iBGRight = background("iBGRight", QRect(322, 1, 262, 458));
    // The page's keys and buttons reach the well through the session, made once the page is.
    pConf = new TOptionsPage(
        pGame, [this](int slot, uint16_t code) { session_->BindKey(slot, code); },
        [this](int slot, const std::string& name) { session_->BindButton(slot, name); });
    PaintPanel(pConf, skincolor::DarkRed);
    Show(tView::Login);
}

void TMainForm::ApplyTexts() {
    iGame->setToolTip(LangText("s1000"));
    iOpt->setToolTip(LangText("s2000"));
    iHelp->SetHint(LangText("s3001"));
    iUser->SetHint(LangText("s3002"));
    iExitGame->SetHint(LangText("s3003"));
}

void TMainForm::ApplySkinPictures() {
    DrawTabs(view_ != tView::Options);
}

void TMainForm::DrawTabs(bool wellPage) {
    const auto draw = [](QLabel* tab, const tBitmap& bitmap, std::string_view builtIn) {
        SetCrispPixmap(tab, bitmap.Empty() ? LoadResourceBitmap(builtIn) : bitmap.image);
    };
    draw(iGame, wellPage ? SkinSettings.Tab.btmGameFocused : SkinSettings.Tab.btmGameDefault,
         wellPage ? "GameS" : "GameU");
    draw(iOpt, wellPage ? SkinSettings.Tab.btmConfDefault : SkinSettings.Tab.btmConfFocused,
         wellPage ? "OptU" : "OptS");
}

void TMainForm::Show(tView view) {
    view_ = view;
    keyRepeat_->ReleaseAll();
    const bool game = view == tView::Well || view == tView::Options;
    DrawTabs(view != tView::Options);
    pGlass->setVisible(view != tView::Options);
    pConf->setVisible(view == tView::Options);
    if (view == tView::About)
        pAbout->iAboutClick();
    // The view that comes shows before the one that goes hides, so that the focus of a control that hides
    // moves on to the view that shows.
    (game ? static_cast<QWidget*>(pGame) : pLogIn)->show();
    (game ? static_cast<QWidget*>(pLogIn) : pGame)->hide();
    if (view != tView::About)
        pAbout->hide();
}

void TMainForm::iAboutClick() {
    Show(tView::About);
}

void TMainForm::iAboutCloseClick() {
    Show(tView::Login);
}

void TMainForm::iOptClick() {
    if (Glass() == nullptr)
        return;
    session_->ToOptions();
    Show(tView::Options);
}

void TMainForm::iGameClick() {
    if (Glass() == nullptr || !session_->ToWell())
        return;
    Show(tView::Well);
    // A hidden control keeps the focus: an edit or list of the options page would go on taking the keys
    // meant for the well, rebinding a key or changing an option with every move.
    if (QWidget* focused = client->focusWidget(); focused != nullptr && pConf->isAncestorOf(focused)) {
        focused->clearFocus();
        TakeKeys();
    }
    openedReplay_->Play();
}

void TMainForm::bLogInClick() {
    // Only from the log-in view: a key that reaches the player box twice must not make a second well over
    // the first.
    if (view_ != tView::Login || !session_->LogIn(pLogIn->Typed()))
        return;
    if (KeysValid()) {
        iGameClick();
    } else {
        // Told over the log-in view, as it was when the keys were read.
        ShowMessageBox(LangText("s0001"));
        iOptClick();
    }
    // Keys reach the hook through the window until the player clicks a control.
    TakeKeys();
}

void TMainForm::iUserClick() {
    session_->LogOut();
    Show(tView::Login);
    pLogIn->StartOver(session_->Players());
}

void TMainForm::OpenReplay(const std::string& path) {
    openedReplay_->Open(path);
}

void TMainForm::SetFullScreen(bool on) {
    fullScreen_->Set(on);
}

bool TMainForm::FullScreen() const {
    return fullScreen_->On();
}

QWidget* TMainForm::KeyTarget() const {
    // While full screen shows the client scaled, keys enter through the view, which hands them on to the
    // client's focused control.
    if (QWidget* view = fullScreen_->View())
        return view;
    QWidget* first = focusWidget();
    return first != nullptr ? first : const_cast<TMainForm*>(this);
}

void TMainForm::TakeKeys() {
    if (QWidget* view = fullScreen_->View())
        view->setFocus();
    else
        setFocus();
}

bool TMainForm::Owns(const QWidget* widget) const {
    // In full screen the client and its controls are the scene's, no longer the window's children.
    return widget != nullptr &&
           (widget == this || widget == client || isAncestorOf(widget) || client->isAncestorOf(widget));
}

void TMainForm::MakeShortcuts() {
    // The well and options views show only while a player is logged in, so their keys always find a well.
    shortcuts_ = std::make_unique<tShortcuts>(
        std::vector<tShortcut>{
            {kVkPause, {tView::Well}, [this] { Glass()->SetPause(!Glass()->Paused()); }},
            {kVkEscape, {tView::Well}, [this] { Glass()->StopGame(true); }},
            {kVkF1, {tView::Well, tView::Options}, [] { iHelpClick(); }},
            {kVkF2, {tView::Well}, [this] { Glass()->NewGame(); }},
            {kVkF3, {tView::Options}, [this] { iGameClick(); }},
            {kVkF4, {tView::Well}, [this] { iOptClick(); }},
        },
        tView::Well, [this](uint16_t code) {
            Glass()->HandleKey(code);
            keyRepeat_->Hold(code);
        });
    ApplyRepeat();
    keyHook_ = std::make_unique<tKeyHook>([this] { return KeyTarget(); },
                                          [this](const QWidget* widget) { return Owns(widget); },
                                          [this](uint16_t code, bool repeat) {
                                              // In a game the game repeats a held key itself, at the player's
                                              // delay and rate.
                                              if (!(repeat && view_ == tView::Well))
                                                  shortcuts_->Press(code, view_);
                                          },
                                          [this](uint16_t code) { keyRepeat_->Release(code); });
}

void TMainForm::ApplyRepeat() {
    const tPlayerOptions options = pConf->Options();
    keyRepeat_->SetTiming(options.RepeatDelay, options.RepeatRate);
    if (gamepads_ != nullptr)
        gamepads_->SetRepeat(std::chrono::milliseconds(options.RepeatDelay),
                             std::chrono::milliseconds((1000 + options.RepeatRate - 1) / options.RepeatRate));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && (watched == iGame || watched == iOpt) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == iGame)
            iGameClick();
        else
            iOptClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::ListenTo(tGamepads& gamepads) {
    gamepadInput_->ListenTo(gamepads);
    gamepads_ = &gamepads;
    ApplyRepeat();
}

void TMainForm::AppDeactivate() {
    // The keys' releases go to another window now.
    keyRepeat_->ReleaseAll();
    if (view_ == tView::Well)
        session_->AutoPause();
}

void TMainForm::BringToFront() {
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    session_->Close();
    event->accept();
}

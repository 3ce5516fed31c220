// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/stakmain.h"

#include "engine/uGame.h"
#include "engine/uSound.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uBaseDir.h"
#include "platform/uBitmap.h"
#include "platform/uCodePage.h"
#include "platform/uGamepads.h"
#include "platform/uKeyCode.h"
#include "platform/uMessage.h"
#include "platform/uResource.h"
#include "shell/uAbout.h"
#include "shell/uApplySkin.h"
#include "shell/uFullScreen.h"
#include "shell/uHelp.h"
#include "shell/uKeyHook.h"
#include "shell/uKeys.h"
#include "shell/uOptionsPage.h"
#include "shell/uShortcuts.h"
#include "storage/uReplayFile.h"
#include "widgets/uCrispPixmap.h"
#include "widgets/uKeyEdit.h"
#include "widgets/uOther.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolTip>

namespace {

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
// A typed name may grow one character past this width of the label's font.
constexpr int kNameWidthLimit = 100;

const char* const kCredits = "Stakkar: a falling-block game written with Qt and zlib";

QFont Verdana(bool bold) {
    QFont font("Verdana");
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void Paint(QWidget* widget, uint32_t colorBGR) {
    widget->setAutoFillBackground(true);
    QPalette colors = widget->palette();
    colors.setColor(QPalette::Window, QColor(ColorToRgb(colorBGR)));
    colors.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(colors);
}

QFrame* Panel(QWidget* parent, const char* name, QRect place) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(place);
    panel->setFont(Verdana(false));
    Paint(panel, skincolor::DarkRed);
    return panel;
}

QLabel* Line(QWidget* parent, const QString& text, QRect place, bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    label->setFont(Verdana(bold));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TMainForm::TMainForm() : QWidget(nullptr, kWindowedFrame) {
    SkinList.ForgetLastName();
    LanguageList.ForgetLastName();

    setWindowTitle(kVersionLine);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    client = new QWidget(this);
    client->setObjectName("client");
    client->setGeometry(0, 0, kClientWidth, kClientHeight);
    Paint(client, skincolor::DarkRed);
    fullScreen_ = std::make_unique<tFullScreen>(*this, *client, QSize(kClientWidth, kClientHeight));

    BuildLoginView();
    pAbout = new TAboutPanel(client);
    connect(pAbout, &TAboutPanel::closed, this, &TMainForm::iAboutCloseClick);
    BuildGameView();

    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            AppDeactivate();
    });
    iGame->installEventFilter(this);
    iOpt->installEventFilter(this);
    MakeShortcuts();

    // The built-in texts before any file is read: a damaged players' file, or a replay named on the command
    // line, already has something to tell.
    LoadLanguageResource();
    LoadDefaultLanguage();
    FillUserList();
    pConf->Keys().LoadNames();
    ScanSkins();
    ScanLanguages();
    WireOptions();

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
    // No key reaches a window that is going: the saves below may still show a message.
    keyHook_.reset();
    FormClose();
    glass_.reset();
}

void TMainForm::BuildLoginView() {
    pLogIn = Panel(client, "pLogIn", QRect(5, 5, 630, 470));
    lTitle = Line(pLogIn, "Stakkar", QRect(0, 8, 630, 40));
    lTitle->setObjectName("lTitle");
    QFont title("Courier New");
    title.setPixelSize(32);
    title.setBold(true);
    lTitle->setFont(title);
    iLogIn = new QLabel(pLogIn);
    iLogIn->setObjectName("iLogIn");
    iLogIn->setGeometry(100, 55, 300, 360);
    QImage picture(300, 360, QImage::Format_RGB32);
    picture.fill(Qt::black);
    DrawBitmap(picture, 0, 0, tBitmap{LoadResourceBitmap("LoginBMP")});
    SetCrispPixmap(iLogIn, picture);

    lUserName = Line(pLogIn, "Player name:", QRect(444, 204, 130, 16), true);
    lUserName->setObjectName("lUserName");
    lUserName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    cbUsers = new QComboBox(pLogIn);
    cbUsers->setObjectName("cbUsers");
    cbUsers->setEditable(true);
    cbUsers->setInsertPolicy(QComboBox::NoInsert);
    cbUsers->setGeometry(444, 224, 130, 21);
    cbUsers->setToolTip("Enter player name");
    connect(cbUsers, &QComboBox::editTextChanged, this, &TMainForm::cbUsersChange);
    // Enter in the player combo logs in. The combo hands the key to its line edit directly, past any event
    // filter, so the line edit's own signal is the place to hear it.
    connect(cbUsers->lineEdit(), &QLineEdit::returnPressed, this, &TMainForm::bLogInClick);

    Line(pLogIn, "!!! WARNING !!!", QRect(410, 300, 215, 16), true);
    auto* beta =
        Line(pLogIn, "This is just beta version... some error may occur...", QRect(410, 318, 215, 32));
    beta->setWordWrap(true);
    Line(pLogIn, kCredits, QRect(40, 445, 590, 16));

    bLogIn = CreateImageButton(pLogIn, 572, 224, 22, 21, "LogInB", "LogInBS", "Login...");
    iAbout = CreateImageButton(pLogIn, 4, 400, 31, 30, "About", "AboutS", "About project");
    iExit = CreateImageButton(pLogIn, 4, 435, 31, 30, "Exit", "ExitS", "Exit");
    bLogIn->setObjectName("bLogIn");
    iAbout->setObjectName("iAbout");
    iExit->setObjectName("iExit");
    connect(bLogIn, &tMyButton::clicked, this, &TMainForm::bLogInClick);
    connect(iAbout, &tMyButton::clicked, this, &TMainForm::iAboutClick);
    connect(iExit, &tMyButton::clicked, this, &TMainForm::iExitClick);
}

void TMainForm::BuildGameView() {
    pGame = Panel(client, "pGame", QRect(5, 5, 630, 470));
    pGame->hide();
    iGame = new QLabel(pGame);
    iGame->setObjectName("iGame");
    iGame->setGeometry(10, 5, 31, 60);
    iOpt = new QLabel(pGame);
    iOpt->setObjectName("iOpt");
    iOpt->setGeometry(10, 65, 31, 60);
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
    pConf = new TOptionsPage(
        pGame,
        [this](int slot, uint16_t code) {
            if (glass_)
                glass_->SetKey(slot, code);
        },
        [this](int slot, const std::string& name) {
            if (glass_)
                glass_->SetButton(slot, name);
        });
    Paint(pConf, skincolor::DarkRed);
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
    if (!glass_)
        return;
    glass_->SetPause(true);
    pConf->LockGameOptions(glass_->Playing());
    optionsChanged_ = false;
    Show(tView::Options);
}

void TMainForm::iGameClick() {
    if (!glass_)
        return;
    if (!KeysValid()) {
        ShowMessageBox(LangText("s0001"));
        return;
    }
    if (optionsChanged_) {
        const tPlayerOptions shown = pConf->Options();
        glass_->ShowScores(shown.GameType, shown.Difficulty);
        glass_->ResetStat();
        glass_->ResetWell();
        optionsChanged_ = false;
    }
    Show(tView::Well);
    // A hidden control keeps the focus: an edit or list of the options page would go on taking the keys
    // meant for the well, rebinding a key or changing an option with every move.
    if (QWidget* focused = client->focusWidget(); focused != nullptr && pConf->isAncestorOf(focused)) {
        focused->clearFocus();
        TakeKeys();
    }
    WatchOpenedReplay();
}

void TMainForm::OpenReplay(const std::string& path) {
    tReplayFile file = ReadReplayFile(path);
    if (!file.Record) {
        ShowMessageBox(
            LangFormat("s0102", {QString::fromLocal8Bit(path), QString::fromStdString(file.Problem)}));
        return;
    }
    openedReplay_ = std::move(file.Record);
    if (view_ == tView::Well)
        WatchOpenedReplay();
}

void TMainForm::WatchOpenedReplay() {
    if (!openedReplay_ || glass_ == nullptr)
        return;
    glass_->Watch(*openedReplay_);
    openedReplay_.reset();
}

void TMainForm::SetFullScreen(bool on) {
    fullScreen_->Set(on);
}

bool TMainForm::FullScreen() const {
    return fullScreen_->On();
}

bool TMainForm::Owns(const QWidget* widget) const {
    return widget != nullptr &&
           (widget == this || widget == client || isAncestorOf(widget) || client->isAncestorOf(widget));
}

void TMainForm::BringToFront() {
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TMainForm::FormClose() {
    if (closed_)
        return;
    closed_ = true;
    if (!players_.Current().empty() && pConf->Options().AutoSave)
        SaveUserData(players_.Current());
    pConf->Keys().FreeNames();
    FreeLanguageResource();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // The two tabs are pictures: a left press on one opens its page.
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == iGame) {
            iGameClick();
            return true;
        }
        if (watched == iOpt) {
            iOptClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
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

void TMainForm::MakeShortcuts() {
    // Fixed keys act on the views and the game; every other key goes to the game while the well shows. They
    // act only while a player is logged in: the well and options views show only then.
    shortcuts_ = std::make_unique<tShortcuts>(
        std::vector<tShortcut>{
            {kVkPause, {tView::Well}, [this] { glass_->SetPause(!glass_->Paused()); }},
            {kVkEscape, {tView::Well}, [this] { glass_->StopGame(true); }},
            {kVkF1, {tView::Well, tView::Options}, [] { iHelpClick(); }},
            {kVkF2, {tView::Well}, [this] { glass_->NewGame(); }},
            {kVkF3, {tView::Options}, [this] { iGameClick(); }},
            {kVkF4, {tView::Well}, [this] { iOptClick(); }},
        },
        tView::Well, [this](uint16_t code) { glass_->HandleKey(code); });
    keyHook_ = std::make_unique<tKeyHook>([this] { return KeyTarget(); },
                                          [this](const QWidget* widget) { return Owns(widget); },
                                          [this](uint16_t code) { shortcuts_->Press(code, view_); });
}

void TMainForm::ListenTo(tGamepads& gamepads) {
    connect(&gamepads, &tGamepads::pressed, this, &TMainForm::GamepadPress);
    // A controller that goes away in the middle of a game pauses it, as leaving the window does.
    connect(&gamepads, &tGamepads::detached, this, &TMainForm::AppDeactivate);
}

void TMainForm::GamepadPress(const QString& button, bool repeat) {
    // A controller moves the game only while its window is the active one, as keys do: a press meant for
    // another program, or one made while a message box is open, does nothing here.
    if (!isActiveWindow())
        return;
    const std::string name = button.toStdString();
    const tView view = view_;
    if (view == tView::Options) {
        if (TKeyEdit* edit = pConf->Buttons().EditOf(client->focusWidget()); edit != nullptr && !repeat)
            pConf->Buttons().ButtonDown(edit, name);
        return;
    }
    if (glass_ == nullptr || view != tView::Well)
        return;
    if (name == kStartButton)
        glass_->WellClick();
    else
        glass_->HandleButton(name);
}

void TMainForm::AppDeactivate() {
    if (glass_ && view_ == tView::Well && pConf->Options().AutoPause && !glass_->Paused())
        glass_->SetPause(true);
}

void TMainForm::FillUserList() {
    const QSignalBlocker quiet(cbUsers);
    const QString typed = cbUsers->currentText();
    cbUsers->clear();
    cbUsers->addItems(players_.Names());
    cbUsers->setCurrentIndex(-1);
    cbUsers->setEditText(typed);
}

void TMainForm::cbUsersChange(const QString& text) {
    // The length limit stops typing only: the line edit's own maximum would also cut a name picked from the
    // list, and deleting is always allowed.
    const bool grownPastLimit = text.size() > nameLimit_ && text.size() > lastGoodName_.size() &&
                                cbUsers->findText(text, Qt::MatchFixedString) < 0;
    if (!AcceptableNameText(text) || grownPastLimit) {
        if (!IsRepresentable(text)) {
            // Names are stored in the program's code page, which has no room for the letter just typed.
            QToolTip::showText(cbUsers->mapToGlobal(QPoint(0, cbUsers->height())), LangText("s0105"),
                               cbUsers);
        }
        QLineEdit* edit = cbUsers->lineEdit();
        const qsizetype cursor = edit->cursorPosition() - (text.size() - lastGoodName_.size());
        const QSignalBlocker quiet(cbUsers);
        cbUsers->setEditText(lastGoodName_);
        edit->setCursorPosition(static_cast<int>(std::clamp<qsizetype>(cursor, 0, lastGoodName_.size())));
        return;
    }
    lastGoodName_ = text;
    const int limit = NameLengthLimit(text, lUserName->font(), kNameWidthLimit);
    if (limit > 0)
        nameLimit_ = limit;
}

void TMainForm::bLogInClick() {
    // Only from the log-in view: a key that reaches the player box twice must not make a second engine over
    // the first.
    if (view_ != tView::Login)
        return;
    const QString typed = cbUsers->currentText();
    if (typed.isEmpty() || !AcceptableNameText(typed)) {
        PlayResourceSound("Error", true);
        return;
    }
    PlayResourceSound("Login", true);
    glass_ = std::make_unique<tGlass>(pGlass);
    const int item = cbUsers->findText(typed, Qt::MatchFixedString);
    players_.LogIn(
        ToCodePage(item >= 0 && cbUsers->itemText(item) == typed ? cbUsers->itemText(item) : typed));
    glass_->SetPlayer(players_.Current());
    LoadUserData(players_.Current());
    SaveUserData(players_.Current());
    // The page shows the stored options as they load, limited and fitted to its lists.
    const tPlayerOptions options = pConf->Options();
    glass_->SetOptions(options);
    pConf->Keys().BindAll();
    glass_->ShowScores(options.GameType, options.Difficulty);
    optionsChanged_ = false;
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

void TMainForm::LoadUserData(const std::string& player) {
    const tPlayerOptions options = players_.Options(player);
    ShowOptions(options);
    LoadDefaultLanguage();
    SelectLanguage(options.Language);
    LoadDefaultSkin();
    SelectSkin(options.Skin);
    SetFullScreen(pConf->Options().FullScreen);
}

void TMainForm::SaveUserData(const std::string& player) {
    players_.Save(player, pConf->Options());
}

void TMainForm::iUserClick() {
    LoadDefaultSkin();
    SetFullScreen(false);
    if (pConf->Options().AutoSave)
        SaveUserData(players_.Current());
    cbUsers->setEditText(QString());
    FillUserList();
    glass_.reset();
    Show(tView::Login);
    cbUsers->setFocus();
    players_.LogOut();
}

void TMainForm::iDefOptClick() {
    ShowOptions(tPlayerOptions{});
}

void TMainForm::ShowOptions(tPlayerOptions options) {
    if (glass_ != nullptr && glass_->Playing()) {
        const tPlayerOptions shown = pConf->Options();
        options.GameType = shown.GameType;
        options.Difficulty = shown.Difficulty;
        options.StartLevel = shown.StartLevel;
        options.BrokenLines = shown.BrokenLines;
    }
    pConf->ShowOptions(options);
}

bool TMainForm::KeysValid() const {
    return pConf->Keys().Valid();
}

void TMainForm::WireOptions() {
    connect(pConf, &TOptionsPage::wellOptionChanged, this, [this](bool gameOption) {
        if (gameOption)
            optionsChanged_ = true;
        if (glass_)
            glass_->SetOptions(pConf->Options());
    });
    connect(pConf, &TOptionsPage::fullScreenToggled, this, &TMainForm::SetFullScreen);
    connect(pConf, &TOptionsPage::standardClicked, this, &TMainForm::iDefOptClick);
    connect(pConf, &TOptionsPage::restoreClicked, this, &TMainForm::iLoadClick);
    connect(pConf, &TOptionsPage::saveClicked, this, &TMainForm::iSaveClick);
}

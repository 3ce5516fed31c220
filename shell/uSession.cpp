// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uSession.h"

#include "engine/uGame.h"
#include "engine/uSound.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uCodePage.h"
#include "platform/uMessage.h"
#include "platform/uResource.h"
#include "shell/uOptionsPage.h"

tSession::tSession(QWidget& wellPage, TOptionsPage& options, std::function<void(bool)> setFullScreen)
    : wellPage_(wellPage), options_(options), setFullScreen_(std::move(setFullScreen)) {
    SkinList.ForgetLastName();
    LanguageList.ForgetLastName();
    // The built-in texts before any file is read: a damaged players' file, or a replay named on the command
    // line, already has something to tell.
    LoadLanguageResource();
    LoadDefaultLanguage();
    options_.Keys().LoadNames();
    ScanSkins();
    ScanLanguages();
    // The log-in page speaks the language of the player who logged in last.
    if (const std::string latest = players_.Latest(); !latest.empty())
        SelectLanguage(players_.Options(latest).Language);
    WireOptions();
}

tSession::~tSession() = default;

bool tSession::LogIn(const QString& typed) {
    if (typed.isEmpty() || !AcceptableNameText(typed)) {
        PlayResourceSound("Error", true);
        return false;
    }
    PlayResourceSound("Login", true);
    glass_ = std::make_unique<tGlass>(&wellPage_);
    players_.LogIn(ToCodePage(typed));
    glass_->SetPlayer(Player());
    LoadUserData(Player());
    players_.SaveAtLogIn(Player(), options_.Options());
    // The page shows the stored options as they load, limited and fitted to its lists.
    const tPlayerOptions options = options_.Options();
    glass_->SetOptions(options);
    options_.Keys().BindAll();
    glass_->ShowScores(options.GameType, options.Difficulty);
    optionsChanged_ = false;
    return true;
}

void tSession::LogOut() {
    LoadDefaultSkin();
    setFullScreen_(false);
    if (options_.Options().AutoSave)
        SaveUserData(Player());
    glass_.reset();
    players_.LogOut();
}

void tSession::Close() {
    if (closed_)
        return;
    closed_ = true;
    if (!Player().empty() && options_.Options().AutoSave)
        SaveUserData(Player());
    options_.Keys().FreeNames();
    FreeLanguageResource();
}

void tSession::LoadUserData(const std::string& player) {
    const tPlayerOptions options = players_.Options(player);
    ShowOptions(options);
    LoadDefaultLanguage();
    SelectLanguage(options.Language);
    LoadDefaultSkin();
    SelectSkin(options.Skin);
    setFullScreen_(options_.Options().FullScreen);
}

void tSession::SaveUserData(const std::string& player) {
    players_.Save(player, options_.Options());
}

void tSession::ShowStandard() {
    ShowOptions(tPlayerOptions{});
}

void tSession::ShowOptions(tPlayerOptions options) {
    if (glass_ != nullptr && glass_->Playing()) {
        const tPlayerOptions shown = options_.Options();
        options.GameType = shown.GameType;
        options.Difficulty = shown.Difficulty;
        options.StartLevel = shown.StartLevel;
        options.BrokenLines = shown.BrokenLines;
    }
    options_.ShowOptions(options);
}

bool tSession::KeysValid() const {
    return options_.Keys().Valid();
}

void tSession::ToOptions() {
    glass_->SetPause(true);
    options_.LockGameOptions(glass_->Playing());
    optionsChanged_ = false;
}

bool tSession::ToWell() {
    if (!KeysValid()) {
        ShowMessageBox(LangText("s0001"));
        return false;
    }
    if (optionsChanged_) {
        const tPlayerOptions shown = options_.Options();
        glass_->ShowScores(shown.GameType, shown.Difficulty);
        glass_->ResetStat();
        glass_->ResetWell();
        optionsChanged_ = false;
    }
    return true;
}

void tSession::AutoPause() {
    if (glass_ && options_.Options().AutoPause && !glass_->Paused())
        glass_->SetPause(true);
}

void tSession::BindKey(int slot, uint16_t code) {
    if (glass_)
        glass_->SetKey(slot, code);
}

void tSession::BindButton(int slot, const std::string& name) {
    if (glass_)
        glass_->SetButton(slot, name);
}

void tSession::WireOptions() {
    connect(&options_, &TOptionsPage::wellOptionChanged, this, [this](bool gameOption) {
        if (gameOption)
            optionsChanged_ = true;
        if (glass_)
            glass_->SetOptions(options_.Options());
    });
    connect(&options_, &TOptionsPage::standardClicked, this, &tSession::ShowStandard);
    connect(&options_, &TOptionsPage::restoreClicked, this, [this] { LoadUserData(Player()); });
    connect(&options_, &TOptionsPage::saveClicked, this, [this] { SaveUserData(Player()); });
}

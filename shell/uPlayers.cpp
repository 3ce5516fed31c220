#include "shell/uPlayers.h"

#include "engine/uGame.h"
#include "engine/uSound.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uBaseDir.h"
#include "platform/uCodePage.h"
#include "platform/uMessage.h"
#include "shell/stakmain.h"
#include "shell/uAbout.h"
#include "shell/uOptionsPage.h"
#include "widgets/uOther.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr const char* kUsersFile = "users.dat";
constexpr int kNameWidthLimit = 100;

std::string UsersPath() {
    return BasePath(kUsersFile);
}

// The item of that text, letter case ignored; the first one when there is none.
int ItemOf(const QComboBox* combo, const std::string& text) {
    for (int i = 0; i < combo->count(); ++i)
        if (SameTextNoCase(ToCodePage(combo->itemText(i)), text))
            return i;
    return 0;
}

tUsersFile ReadUsers() {
    tUsersFile file = ReadUsersFile(UsersPath());
    if (file.damage.tell) {
        ShowMessageBox(file.damage.leftInPlace ? LangFormat("s0010", {kUsersFile})
                                               : LangFormat("s0009", {kUsersFile, file.damage.keptAs}));
    }
    return file;
}

} // namespace

bool AcceptableNameText(const QString& text) {
    if (!IsRepresentable(text))
        return false;
    return ValidUserName(ToCodePage(text)) || text.isEmpty();
}

int StartLevelLimit(int difficulty) {
    return 25 - 5 * difficulty;
}

int NameLengthLimit(const QString& text, const QFont& font, int limitWidth) {
    return QFontMetrics(font).horizontalAdvance(text) < limitWidth ? static_cast<int>(text.size()) + 1 : -1;
}

void TMainForm::FillUserList() {
    const QSignalBlocker quiet(cbUsers);
    const QString typed = cbUsers->currentText();
    cbUsers->clear();
    tStringList sections;
    ReadUsers().ini.ReadSections(sections);
    QStringList names;
    for (const std::string& name : sections.Lines())
        names << FromCodePage(name);
    names.sort(Qt::CaseInsensitive);
    cbUsers->addItems(names);
    cbUsers->setCurrentIndex(-1);
    cbUsers->setEditText(typed);
}

void TMainForm::cbUsersChange(const QString& text) {
    // The length limit stops typing only: the line edit's own maximum would also cut a name picked from the
    // list, and deleting is always allowed.
    const bool grownPastLimit = text.size() > nameLimit_ && text.size() > lastGoodName_.size() &&
                                cbUsers->findText(text, Qt::MatchFixedString) < 0;
    if (!AcceptableNameText(text) || grownPastLimit) {
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
    if (View() != tView::Login)
        return;
    const QString typed = cbUsers->currentText();
    if (typed.isEmpty() || !AcceptableNameText(typed)) {
        PlayResourceSound("Error", true);
        return;
    }
    PlayResourceSound("Login", true);
    glass_ = std::make_unique<tGlass>(pGlass);
    const int item = cbUsers->findText(typed, Qt::MatchFixedString);
    CurrentUser = ToCodePage(item >= 0 && cbUsers->itemText(item) == typed ? cbUsers->itemText(item) : typed);
    glass_->SetPlayer(CurrentUser);
    LoadUserData(CurrentUser);
    SaveUserData(CurrentUser);
    cbDifficultChange();
    for (TKeyEdit* edit : pConf->eKeys)
        eKeys1Change(edit);
    glass_->SetBrokenLines(pConf->seBrLines->value());
    glass_->SetDifficulty(pConf->cbDifficult->currentIndex(), ToCodePage(pConf->cbDifficult->currentText()));
    glass_->SetStartLevel(pConf->seStartLevel->value());
    glass_->SetGameType(pConf->cbGType->currentIndex() == 1, ToCodePage(pConf->cbGType->currentText()));
    glass_->SetShowFix(pConf->cbShowFix->isChecked());
    glass_->SetShadow(pConf->cbShadow->isChecked());
    glass_->SetSounds(pConf->cbSounds->isChecked());
    glass_->ShowScores(ToCodePage(pConf->cbGType->currentText()),
                       ToCodePage(pConf->cbDifficult->currentText()));
    optionsChanged_ = false;
    if (KeysValid()) {
        iGameClick();
    } else {
        iOptClick();
        ShowMessageBox(LangText("s0001"));
    }
    pGame->show();
    pLogIn->hide();
    pAbout->hide();
    // Keys reach the hook through the window until the player clicks a control.
    TakeKeys();
}

void TMainForm::LoadUserData(const std::string& player) {
    const tUserOptions options = ReadUserOptions(ReadUsers().ini, player);
    {
        // The two lists are set without their change handling.
        const QSignalBlocker quietType(pConf->cbGType);
        const QSignalBlocker quietDifficulty(pConf->cbDifficult);
        pConf->cbGType->setCurrentIndex(ItemOf(pConf->cbGType, options[uoGameMode]));
        pConf->cbDifficult->setCurrentIndex(ItemOf(pConf->cbDifficult, options[uoDifficult]));
    }
    // The limit is the loaded difficulty's, not the one the previous player left behind.
    pConf->seStartLevel->setMaximum(StartLevelLimit(pConf->cbDifficult->currentIndex()));
    pConf->seStartLevel->setValue(UserInteger(options, uoStartLevel));
    pConf->seBrLines->setValue(UserInteger(options, uoBrokenLines));
    const std::pair<QCheckBox*, tUserOption> boxes[] = {
        {pConf->cbAutoPause, uoAutoPause}, {pConf->cbFullScreen, uoFullScreen},
        {pConf->cbSounds, uoSounds},       {pConf->cbShowFix, uoShowFix},
        {pConf->cbShadow, uoShadow},       {pConf->cbAutoSave, uoAutoSave}};
    for (const auto& [box, option] : boxes)
        box->setChecked(UserFlag(options, option));
    for (size_t i = 0; i < pConf->eKeys.size(); ++i)
        pConf->eKeys[i]->setText(FromCodePage(ReadKeyName(keyNames_, options[uoKey1 + i])));
    LoadDefaultLanguage();
    SelectLanguage(options[uoLanguage]);
    LoadDefaultSkin();
    SelectSkin(options[uoSkin]);
    SetFullScreen(pConf->cbFullScreen->isChecked());
}

tUserOptions TMainForm::ControlOptions() const {
    tUserOptions options;
    const auto flag = [](const QCheckBox* box) { return std::string(box->isChecked() ? "1" : "0"); };
    options[uoGameMode] = ToCodePage(pConf->cbGType->currentText());
    options[uoDifficult] = ToCodePage(pConf->cbDifficult->currentText());
    options[uoStartLevel] = std::to_string(pConf->seStartLevel->value());
    options[uoBrokenLines] = std::to_string(pConf->seBrLines->value());
    options[uoAutoPause] = flag(pConf->cbAutoPause);
    options[uoFullScreen] = flag(pConf->cbFullScreen);
    options[uoSounds] = flag(pConf->cbSounds);
    options[uoShowFix] = flag(pConf->cbShowFix);
    options[uoShadow] = flag(pConf->cbShadow);
    options[uoAutoSave] = flag(pConf->cbAutoSave);
    for (size_t i = 0; i < pConf->eKeys.size(); ++i)
        options[uoKey1 + i] = ToCodePage(pConf->eKeys[i]->text());
    options[uoSkin] = SkinList.ItemIndex() < 0 ? std::string(kDefaultSkin) : SkinList.Text();
    options[uoLanguage] = LanguageList.ItemIndex() < 0 ? std::string(kDefaultLanguage) : LanguageList.Text();
    return options;
}

void TMainForm::SaveUserData(const std::string& player) {
    tUsersFile file = ReadUsers();
    if (!file.writable)
        return;
    WriteUserOptions(file.ini, player, ControlOptions());
    try {
        file.ini.SaveCompressedFile(UsersPath());
    } catch (const tSaveError& error) {
        ShowMessageBox(LangFormat("s0100", {kUsersFile, ToCodePage(QString::fromLocal8Bit(error.Reason()))}));
    }
}

void TMainForm::iUserClick() {
    LoadDefaultSkin();
    SetFullScreen(false);
    if (pConf->cbAutoSave->isChecked())
        SaveUserData(CurrentUser);
    cbUsers->setEditText(QString());
    FillUserList();
    pLogIn->show();
    glass_.reset();
    pGame->hide();
    cbUsers->setFocus();
    CurrentUser.clear();
}

void TMainForm::iDefOptClick() {
    const QSignalBlocker quietType(pConf->cbGType);
    const QSignalBlocker quietDifficulty(pConf->cbDifficult);
    pConf->cbGType->setCurrentIndex(0);
    pConf->cbDifficult->setCurrentIndex(0);
    pConf->seStartLevel->setValue(1);
    pConf->seBrLines->setValue(0);
    pConf->cbAutoPause->setChecked(true);
    pConf->cbFullScreen->setChecked(false);
    pConf->cbSounds->setChecked(true);
    pConf->cbShadow->setChecked(false);
    pConf->cbShowFix->setChecked(true);
    pConf->cbAutoSave->setChecked(true);
    SetDefaultKeys();
}

void TMainForm::cbGTypeChange() {
    if (glass_)
        glass_->SetGameType(pConf->cbGType->currentIndex() == 1, ToCodePage(pConf->cbGType->currentText()));
    optionsChanged_ = true;
}

void TMainForm::cbDifficultChange() {
    const int index = std::max(0, pConf->cbDifficult->currentIndex());
    if (glass_)
        glass_->SetDifficulty(index, ToCodePage(pConf->cbDifficult->currentText()));
    // A lower maximum pulls the value down with it, and its own handling follows.
    pConf->seStartLevel->setMaximum(StartLevelLimit(index));
    optionsChanged_ = true;
}

void TMainForm::WireOptions() {
    connect(pConf->cbGType, &QComboBox::activated, this, &TMainForm::cbGTypeChange);
    connect(pConf->cbDifficult, &QComboBox::activated, this, &TMainForm::cbDifficultChange);
    connect(pConf->seStartLevel, &QSpinBox::valueChanged, this, [this](int level) {
        if (glass_)
            glass_->SetStartLevel(level);
        optionsChanged_ = true;
    });
    connect(pConf->seBrLines, &QSpinBox::valueChanged, this, [this](int lines) {
        if (glass_)
            glass_->SetBrokenLines(lines);
        optionsChanged_ = true;
    });
    connect(pConf->cbFullScreen, &QCheckBox::toggled, this, &TMainForm::SetFullScreen);
    connect(pConf->cbShowFix, &QCheckBox::toggled, this, [this](bool on) {
        if (glass_)
            glass_->SetShowFix(on);
    });
    connect(pConf->cbShadow, &QCheckBox::toggled, this, [this](bool on) {
        if (glass_)
            glass_->SetShadow(on);
    });
    connect(pConf->cbSounds, &QCheckBox::toggled, this, [this](bool on) {
        if (glass_)
            glass_->SetSounds(on);
    });
    for (TKeyEdit* edit : pConf->eKeys) {
        edit->SetKeyHandler([this](TKeyEdit* target, uint16_t code) { eKeys1KeyDown(target, code); });
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { eKeys1Change(edit); });
    }
    connect(pConf->iDefOpt, &tMyButton::clicked, this,
            [this] { OptionButtonClick([this] { iDefOptClick(); }); });
    connect(pConf->iLoad, &tMyButton::clicked, this, [this] { OptionButtonClick([this] { iLoadClick(); }); });
    connect(pConf->iSave, &tMyButton::clicked, this, &TMainForm::iSaveClick);
    skinListMirror_ = MirrorChoiceList(pConf->cbSkin, SkinList, [] { cbSkinChange(); });
    languageListMirror_ = MirrorChoiceList(pConf->cbLanguage, LanguageList, [] { cbLanguageChange(); });
}

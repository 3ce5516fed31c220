// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uOptionsPage.h"

#include "core/uRules.h"
#include "look/uChoiceList.h"
#include "look/uFolderScan.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uCodePage.h"
#include "shell/uApplySkin.h"
#include "shell/uPanelLook.h"
#include "widgets/uKeyEdit.h"
#include "widgets/uOther.h"
#include "widgets/uSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include <vector>

namespace {

constexpr int kPageWidth = 585;
constexpr int kRowHeight = 21;
constexpr int kLabelLeft = 5;
constexpr int kLabelWidth = 140;
constexpr int kControlLeft = 150;
constexpr int kControlWidth = 120;
constexpr int kCheckLeft = 325;
constexpr int kCheckWidth = 250;
constexpr int kChoiceWidth = 155;
constexpr int kKeyRowTop = 195;
constexpr int kKeyRowStep = 35;
constexpr int kKeyRightLeft = 360;
// Each action's key edit and, beside it, its game controller button's.
constexpr int kKeyWidth = 76;
constexpr int kButtonLeft = kKeyWidth + 4;
constexpr int kButtonWidth = 84;
constexpr int kKeyColumnWidth = kButtonLeft + kButtonWidth;
// The repeat's two rows, right of the skin and the language.
constexpr int kRepeatLabelLeft = 310;
constexpr int kRepeatLabelWidth = 180;
constexpr int kRepeatLeft = 495;
constexpr int kRepeatWidth = 85;

// The item of that text, letter case ignored; the first one when there is none.
int ItemOf(const QComboBox* combo, const std::string& text) {
    for (int i = 0; i < combo->count(); ++i)
        if (SameTextNoCase(ToCodePage(combo->itemText(i)), text))
            return i;
    return 0;
}

// A combo box that shows a tChoiceList and hands the player's pick back to it, then runs change.
[[nodiscard]] tSubscription MirrorChoiceList(QComboBox* combo, tChoiceList& list,
                                             std::function<void()> change) {
    const auto show = [combo, &list] {
        const QSignalBlocker quiet(combo);
        combo->clear();
        for (int i = 0; i < list.Count(); ++i)
            combo->addItem(ShownName(list.Item(i)));
        combo->setCurrentIndex(list.ItemIndex());
        combo->setToolTip(list.Hint());
    };
    tSubscription mirror = list.Observe(show);
    show();
    QObject::connect(combo, &QComboBox::activated, combo, [&list, change](int index) {
        list.SetItemIndex(index);
        change();
    });
    return mirror;
}

} // namespace

TOptionsPage::TOptionsPage(QWidget* gameView, tKeyBindings::tBind bind, tButtonBindings::tBind bindButton)
    : QFrame(gameView) {
    setObjectName("pConf");
    setGeometry(40, 5, kPageWidth, 460);
    setFont(PanelFont(false));
    hide();

    lOptions = AddTitle("lOptions", "s2100", 6);
    lCKeys = AddTitle("lCKeys", "s2200", 169);
    lInterface = AddTitle("lInterface", "s2300", 332);
    std::vector<std::pair<QLabel*, const char*>> titles{
        {lOptions, "s2100"}, {lCKeys, "s2200"}, {lInterface, "s2300"}};
    const char* const optionKeys[] = {"s2101", "s2102", "s2103", "s2104"};
    const char* const keyKeys[] = {"s2201", "s2202", "s2203", "s2204"};
    std::vector<std::pair<QLabel*, const char*>> rows;
    for (size_t i = 0; i < lOpt.size(); ++i) {
        const int top = 32 + 35 * static_cast<int>(i);
        lOpt[i] = AddRowLabel(qPrintable(QString("lOpt%1").arg(i + 1)), optionKeys[i], top);
        rows.emplace_back(lOpt[i], optionKeys[i]);
    }
    for (size_t i = 0; i < lKeys.size(); ++i) {
        const int top = kKeyRowTop + kKeyRowStep * static_cast<int>(i);
        lKeys[i] = AddRowLabel(qPrintable(QString("lKeys%1").arg(i + 1)), keyKeys[i], top);
        rows.emplace_back(lKeys[i], keyKeys[i]);
    }
    lSkin = AddRowLabel("lSkin", "s2301", 358);
    lLanguage = AddRowLabel("lLanguage", "s2302", 393);
    rows.emplace_back(lSkin, "s2301");
    rows.emplace_back(lLanguage, "s2302");
    lRepeatDelay = AddRowLabel("lRepeatDelay", "s2206", 358);
    lRepeatRate = AddRowLabel("lRepeatRate", "s2207", 393);
    for (QLabel* label : {lRepeatDelay, lRepeatRate}) {
        label->setGeometry(kRepeatLabelLeft, label->y(), kRepeatLabelWidth, kRowHeight);
        rows.emplace_back(label, label == lRepeatDelay ? "s2206" : "s2207");
    }

    cbGType = new QComboBox(this);
    cbGType->setObjectName("cbGType");
    for (const tGameTypeRule& type : kGameTypes)
        cbGType->addItem(FromCodePage(type.Name));
    cbGType->setGeometry(kControlLeft, 32, kControlWidth, kRowHeight);
    cbDifficult = new QComboBox(this);
    cbDifficult->setObjectName("cbDifficult");
    for (const tDifficultyRule& difficulty : kDifficulties)
        cbDifficult->addItem(FromCodePage(difficulty.Name));
    cbDifficult->setGeometry(kControlLeft, 67, kControlWidth, kRowHeight);
    seStartLevel = new TSpinEdit(this, "seStartLevel", kMinStartLevel, kDifficulties[0].MaxStartLevel);
    seStartLevel->setGeometry(kControlLeft, 102, kControlWidth, kRowHeight);
    seBrLines = new TSpinEdit(this, "seBrLines", 0, kMaxBrokenLines);
    seBrLines->setGeometry(kControlLeft, 137, kControlWidth, kRowHeight);
    seRepeatDelay = new TSpinEdit(this, "seRepeatDelay", kMinRepeatDelayMs, kMaxRepeatDelayMs);
    seRepeatDelay->setSingleStep(kRepeatDelayStepMs);
    seRepeatDelay->setGeometry(kRepeatLeft, 358, kRepeatWidth, kRowHeight);
    seRepeatRate = new TSpinEdit(this, "seRepeatRate", kMinRepeatRate, kMaxRepeatRate);
    seRepeatRate->setGeometry(kRepeatLeft, 393, kRepeatWidth, kRowHeight);

    cbAutoPause = AddCheckBox("cbAutoPause", "s2105", 34);
    cbFullScreen = AddCheckBox("cbFullScreen", "s2106", 55);
    cbSounds = AddCheckBox("cbSounds", "s2107", 76);
    cbShowFix = AddCheckBox("cbShowFix", "s2108", 97);
    cbShadow = AddCheckBox("cbShadow", "s2109", 118);
    cbAutoSave = AddCheckBox("cbAutoSave", "s2110", 139);

    for (int slot = 1; slot <= kActionCount; ++slot) {
        auto* edit = new TKeyEdit(this, slot);
        const int row = (slot - 1) / 2;
        const int left = slot % 2 == 0 ? kKeyRightLeft : kControlLeft;
        const int top = kKeyRowTop + row * kKeyRowStep;
        edit->setGeometry(left, top, kKeyWidth, kRowHeight);
        eKeys[static_cast<size_t>(slot - 1)] = edit;
        auto* button = new TKeyEdit(this, slot);
        button->setObjectName(QString("eButtons%1").arg(slot));
        button->clear();
        button->setGeometry(left + kButtonLeft, top, kButtonWidth, kRowHeight);
        eButtons[static_cast<size_t>(slot - 1)] = button;
    }
    keys_ = std::make_unique<tKeyBindings>(eKeys, std::move(bind));
    buttons_ = std::make_unique<tButtonBindings>(eButtons, std::move(bindButton));
    iKeysL = new QLabel(this);
    iKeysL->setObjectName("iKeysL");
    iKeysL->setGeometry(kControlLeft + kKeyColumnWidth + 5, kKeyRowTop - 2, 31, 135);
    iKeysR = new QLabel(this);
    iKeysR->setObjectName("iKeysR");
    iKeysR->setGeometry(kKeyRightLeft + kKeyColumnWidth + 5, kKeyRowTop - 2, 31, 135);

    cbSkin = new QComboBox(this);
    cbSkin->setObjectName("cbSkin");
    cbSkin->setGeometry(kControlLeft, 358, kChoiceWidth, kRowHeight);
    cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName("cbLanguage");
    cbLanguage->setGeometry(kControlLeft, 393, kChoiceWidth, kRowHeight);

    iDefOpt = CreateImageButton(this, 479, 425, 31, 30, "Def", "DefS", "Standart options");
    iLoad = CreateImageButton(this, 514, 425, 31, 30, "Load", "LoadS", "Restore your options");
    iSave = CreateImageButton(this, 549, 425, 31, 30, "Save", "SaveS", "Save options");
    iDefOpt->setObjectName("iDefOpt");
    iLoad->setObjectName("iLoad");
    iSave->setObjectName("iSave");

    texts_ = [this, titles, rows] {
        for (const auto& [label, key] : titles)
            label->setText(HeaderForm(LangText(key)));
        for (const auto& [label, key] : rows)
            label->setText(LabelForm(LangText(key)));
        const std::pair<QCheckBox*, const char*> boxes[] = {{cbAutoPause, "s2105"}, {cbFullScreen, "s2106"},
                                                            {cbSounds, "s2107"},    {cbShowFix, "s2108"},
                                                            {cbShadow, "s2109"},    {cbAutoSave, "s2110"}};
        for (const auto& [box, key] : boxes)
            box->setText(LangText(key));
        for (TKeyEdit* button : eButtons)
            button->setToolTip(LangText("s2205"));
        iDefOpt->SetHint(LangText("s2401"));
        iLoad->SetHint(LangText("s2402"));
        iSave->SetHint(LangText("s2403"));
    };
    languageTarget_ = AddLanguageTarget([this] { ApplyTexts(); });
    ApplyTexts();
    WireControls();
}

TOptionsPage::~TOptionsPage() {}

void TOptionsPage::WireControls() {
    const auto gameOption = [this] { emit wellOptionChanged(true); };
    connect(cbGType, &QComboBox::activated, this, gameOption);
    connect(cbDifficult, &QComboBox::activated, this, [this, gameOption] {
        // A lower maximum pulls the value down with it, which is told as a change of its own.
        LimitStartLevel();
        gameOption();
    });
    connect(seStartLevel, &QSpinBox::valueChanged, this, gameOption);
    connect(seBrLines, &QSpinBox::valueChanged, this, gameOption);
    connect(seRepeatDelay, &QSpinBox::valueChanged, this, &TOptionsPage::repeatChanged);
    connect(seRepeatRate, &QSpinBox::valueChanged, this, &TOptionsPage::repeatChanged);
    for (QCheckBox* box : {cbShowFix, cbShadow, cbSounds})
        connect(box, &QCheckBox::toggled, this, [this] { emit wellOptionChanged(false); });
    connect(cbFullScreen, &QCheckBox::toggled, this, &TOptionsPage::fullScreenToggled);
    for (TKeyEdit* edit : eKeys) {
        edit->SetKeyHandler([this](TKeyEdit* target, uint16_t code) { keys_->KeyDown(target, code); });
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { keys_->Changed(edit); });
    }
    for (TKeyEdit* button : eButtons)
        button->SetKeyHandler([this](TKeyEdit* target, uint16_t code) { buttons_->KeyDown(target, code); });
    connect(iDefOpt, &tMyButton::clicked, this, &TOptionsPage::standardClicked);
    connect(iLoad, &tMyButton::clicked, this, &TOptionsPage::restoreClicked);
    connect(iSave, &tMyButton::clicked, this, &TOptionsPage::saveClicked);
    skinListMirror_ = MirrorChoiceList(cbSkin, SkinList, [] { cbSkinChange(); });
    languageListMirror_ = MirrorChoiceList(cbLanguage, LanguageList, [] { cbLanguageChange(); });
}

void TOptionsPage::ApplyTexts() {
    texts_();
}

QLabel* TOptionsPage::AddTitle(const char* name, const char* key, int top) {
    auto* label = new QLabel(HeaderForm(LangText(key)), this);
    label->setObjectName(name);
    label->setFont(PanelFont(true));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(0, top, kPageWidth, 16);
    return label;
}

QLabel* TOptionsPage::AddRowLabel(const char* name, const char* key, int top) {
    auto* label = new QLabel(LabelForm(LangText(key)), this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(kLabelLeft, top, kLabelWidth, kRowHeight);
    return label;
}

QCheckBox* TOptionsPage::AddCheckBox(const char* name, const char* key, int top) {
    auto* box = new QCheckBox(LangText(key), this);
    box->setObjectName(name);
    box->setGeometry(kCheckLeft, top, kCheckWidth, 18);
    return box;
}

void TOptionsPage::ShowOptions(const tPlayerOptions& options) {
    const tPlayerOptions before = Options();
    {
        // The controls' own handling runs as they change; the page's signals wait for the whole value.
        const QSignalBlocker quiet(this);
        cbGType->setCurrentIndex(ItemOf(cbGType, options.GameType));
        cbDifficult->setCurrentIndex(ItemOf(cbDifficult, options.Difficulty));
        // The limit is the shown difficulty's, not the one the previous player left behind.
        LimitStartLevel();
        seStartLevel->setValue(options.StartLevel);
        seBrLines->setValue(options.BrokenLines);
        cbAutoPause->setChecked(options.AutoPause);
        cbFullScreen->setChecked(options.FullScreen);
        cbSounds->setChecked(options.Sounds);
        cbShowFix->setChecked(options.ShowFix);
        cbShadow->setChecked(options.Shadow);
        cbAutoSave->setChecked(options.AutoSave);
        keys_->Show(options.Keys);
        buttons_->Show(options.Buttons);
        seRepeatDelay->setValue(options.RepeatDelay);
        seRepeatRate->setValue(options.RepeatRate);
    }
    const tPlayerOptions after = Options();
    const bool gameOption = after.GameType != before.GameType || after.Difficulty != before.Difficulty ||
                            after.StartLevel != before.StartLevel || after.BrokenLines != before.BrokenLines;
    if (gameOption || after.Shadow != before.Shadow || after.ShowFix != before.ShowFix ||
        after.Sounds != before.Sounds)
        emit wellOptionChanged(gameOption);
    if (after.FullScreen != before.FullScreen)
        emit fullScreenToggled(after.FullScreen);
    if (after.RepeatDelay != before.RepeatDelay || after.RepeatRate != before.RepeatRate)
        emit repeatChanged();
}

tPlayerOptions TOptionsPage::Options() const {
    tPlayerOptions options;
    options.GameType = ToCodePage(cbGType->currentText());
    options.Difficulty = ToCodePage(cbDifficult->currentText());
    options.StartLevel = seStartLevel->value();
    options.BrokenLines = seBrLines->value();
    options.AutoPause = cbAutoPause->isChecked();
    options.FullScreen = cbFullScreen->isChecked();
    options.Sounds = cbSounds->isChecked();
    options.ShowFix = cbShowFix->isChecked();
    options.Shadow = cbShadow->isChecked();
    options.AutoSave = cbAutoSave->isChecked();
    for (size_t i = 0; i < eKeys.size(); ++i)
        options.Keys[i] = ToCodePage(eKeys[i]->text());
    options.Buttons = buttons_->Names();
    options.RepeatDelay = seRepeatDelay->value();
    options.RepeatRate = seRepeatRate->value();
    options.Skin = SkinList.ItemIndex() < 0 ? std::string(kDefaultSkin) : SkinList.Text();
    options.Language = LanguageList.ItemIndex() < 0 ? std::string(kDefaultLanguage) : LanguageList.Text();
    return options;
}

void TOptionsPage::LockGameOptions(bool locked) {
    for (QWidget* control : std::initializer_list<QWidget*>{cbGType, cbDifficult, seStartLevel, seBrLines})
        control->setEnabled(!locked);
}

void TOptionsPage::LimitStartLevel() {
    seStartLevel->setMaximum(
        kDifficulties[static_cast<size_t>(std::max(0, cbDifficult->currentIndex()))].MaxStartLevel);
}

tOptionsSkinParts TOptionsPage::SkinParts() const {
    tOptionsSkinParts parts;
    parts.titles = {lOptions, lCKeys, lInterface};
    parts.names.assign(lOpt.begin(), lOpt.end());
    parts.names.insert(parts.names.end(), lKeys.begin(), lKeys.end());
    parts.names.push_back(lSkin);
    parts.names.push_back(lLanguage);
    parts.names.push_back(lRepeatDelay);
    parts.names.push_back(lRepeatRate);
    parts.lists = {cbGType, cbDifficult, cbSkin, cbLanguage};
    parts.spinEdits = {seStartLevel, seBrLines, seRepeatDelay, seRepeatRate};
    parts.checkBoxes = {cbAutoPause, cbFullScreen, cbSounds, cbShowFix, cbShadow, cbAutoSave};
    parts.keyEdits.assign(eKeys.begin(), eKeys.end());
    parts.keyEdits.insert(parts.keyEdits.end(), eButtons.begin(), eButtons.end());
    parts.keysLeft = iKeysL;
    parts.keysRight = iKeysR;
    parts.standard = iDefOpt;
    parts.restore = iLoad;
    parts.save = iSave;
    return parts;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uOptionsPage.h"

#include "core/uRules.h"
#include "look/uChoiceList.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uCodePage.h"
#include "shell/uPlayers.h"
#include "storage/uKeyNames.h"
#include "widgets/uOther.h"

#include <QApplication>
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
constexpr int kKeyRightLeft = 325;

// The item of that text, letter case ignored; the first one when there is none.
int ItemOf(const QComboBox* combo, const std::string& text) {
    for (int i = 0; i < combo->count(); ++i)
        if (SameTextNoCase(ToCodePage(combo->itemText(i)), text))
            return i;
    return 0;
}

QFont Verdana(bool bold) {
    QFont font("Verdana");
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

} // namespace

tSubscription MirrorChoiceList(QComboBox* combo, tChoiceList& list, std::function<void()> change) {
    const auto show = [combo, &list] {
        const QSignalBlocker quiet(combo);
        combo->clear();
        for (int i = 0; i < list.Count(); ++i)
            combo->addItem(FromCodePage(list.Item(i)));
        combo->setCurrentIndex(list.ItemIndex());
        combo->setToolTip(FromCodePage(list.Hint()));
    };
    tSubscription mirror = list.Observe(show);
    show();
    QObject::connect(combo, &QComboBox::activated, combo, [&list, change](int index) {
        list.SetItemIndex(index);
        change();
    });
    return mirror;
}

TOptionsPage::TOptionsPage(QWidget* gameView) : QFrame(gameView) {
    setObjectName("pConf");
    setGeometry(40, 5, kPageWidth, 460);
    setFont(Verdana(false));
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

    cbAutoPause = AddCheckBox("cbAutoPause", "s2105", 34);
    cbFullScreen = AddCheckBox("cbFullScreen", "s2106", 55);
    cbSounds = AddCheckBox("cbSounds", "s2107", 76);
    cbShowFix = AddCheckBox("cbShowFix", "s2108", 97);
    cbShadow = AddCheckBox("cbShadow", "s2109", 118);
    cbAutoSave = AddCheckBox("cbAutoSave", "s2110", 139);

    for (int slot = 1; slot <= 7; ++slot) {
        auto* edit = new TKeyEdit(this, slot);
        const int row = (slot - 1) / 2;
        const bool right = slot % 2 == 0;
        edit->setGeometry(right ? kKeyRightLeft : kControlLeft, kKeyRowTop + row * kKeyRowStep, kControlWidth,
                          kRowHeight);
        eKeys[static_cast<size_t>(slot - 1)] = edit;
    }
    iKeysL = new QLabel(this);
    iKeysL->setGeometry(kControlLeft + kControlWidth + 5, kKeyRowTop - 2, 31, 135);
    iKeysR = new QLabel(this);
    iKeysR->setGeometry(kKeyRightLeft + kControlWidth + 5, kKeyRowTop - 2, 31, 135);

    cbSkin = new QComboBox(this);
    cbSkin->setObjectName("cbSkin");
    cbSkin->setGeometry(kControlLeft, 358, kChoiceWidth, kRowHeight);
    cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName("cbLanguage");
    cbLanguage->setGeometry(kControlLeft, 393, kChoiceWidth, kRowHeight);

    iDefOpt = CreateImageButton(this, 479, 425, 31, 30, "Def", "DefS", "Standart options");
    iLoad = CreateImageButton(this, 514, 425, 31, 30, "Load", "LoadS", "Restore your options");
    iSave = CreateImageButton(this, 549, 425, 31, 30, "Save", "SaveS", "Save options");

    texts_ = [this, titles, rows] {
        for (const auto& [label, key] : titles)
            label->setText(FromCodePage(HeaderForm(LangText(key))));
        for (const auto& [label, key] : rows)
            label->setText(FromCodePage(LabelForm(LangText(key))));
        const std::pair<QCheckBox*, const char*> boxes[] = {{cbAutoPause, "s2105"}, {cbFullScreen, "s2106"},
                                                            {cbSounds, "s2107"},    {cbShowFix, "s2108"},
                                                            {cbShadow, "s2109"},    {cbAutoSave, "s2110"}};
        for (const auto& [box, key] : boxes)
            box->setText(FromCodePage(LangText(key)));
    };
    languageTarget_ = AddLanguageTarget([this] { ApplyTexts(); });
    ApplyTexts();
}

TOptionsPage::~TOptionsPage() {}

void TOptionsPage::ApplyTexts() {
    texts_();
}

QLabel* TOptionsPage::AddTitle(const char* name, const char* key, int top) {
    auto* label = new QLabel(FromCodePage(HeaderForm(LangText(key))), this);
    label->setObjectName(name);
    label->setFont(Verdana(true));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(0, top, kPageWidth, 16);
    return label;
}

QLabel* TOptionsPage::AddRowLabel(const char* name, const char* key, int top) {
    auto* label = new QLabel(FromCodePage(LabelForm(LangText(key))), this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(kLabelLeft, top, kLabelWidth, kRowHeight);
    return label;
}

QCheckBox* TOptionsPage::AddCheckBox(const char* name, const char* key, int top) {
    auto* box = new QCheckBox(FromCodePage(LangText(key)), this);
    box->setObjectName(name);
    box->setGeometry(kCheckLeft, top, kCheckWidth, 18);
    return box;
}

void TOptionsPage::ShowOptions(const tUserOptions& options) {
    {
        const QSignalBlocker quietType(cbGType);
        const QSignalBlocker quietDifficulty(cbDifficult);
        cbGType->setCurrentIndex(ItemOf(cbGType, options[uoGameMode]));
        cbDifficult->setCurrentIndex(ItemOf(cbDifficult, options[uoDifficult]));
    }
    // The limit is the shown difficulty's, not the one the previous player left behind.
    seStartLevel->setMaximum(
        kDifficulties[static_cast<size_t>(std::max(0, cbDifficult->currentIndex()))].MaxStartLevel);
    seStartLevel->setValue(UserInteger(options, uoStartLevel));
    seBrLines->setValue(UserInteger(options, uoBrokenLines));
    const std::pair<QCheckBox*, tUserOption> boxes[] = {
        {cbAutoPause, uoAutoPause}, {cbFullScreen, uoFullScreen}, {cbSounds, uoSounds},
        {cbShowFix, uoShowFix},     {cbShadow, uoShadow},         {cbAutoSave, uoAutoSave}};
    for (const auto& [box, option] : boxes)
        box->setChecked(UserFlag(options, option));
}

tUserOptions TOptionsPage::Options() const {
    tUserOptions options;
    const auto flag = [](const QCheckBox* box) { return std::string(box->isChecked() ? "1" : "0"); };
    options[uoGameMode] = ToCodePage(cbGType->currentText());
    options[uoDifficult] = ToCodePage(cbDifficult->currentText());
    options[uoStartLevel] = std::to_string(seStartLevel->value());
    options[uoBrokenLines] = std::to_string(seBrLines->value());
    options[uoAutoPause] = flag(cbAutoPause);
    options[uoFullScreen] = flag(cbFullScreen);
    options[uoSounds] = flag(cbSounds);
    options[uoShowFix] = flag(cbShowFix);
    options[uoShadow] = flag(cbShadow);
    options[uoAutoSave] = flag(cbAutoSave);
    for (size_t i = 0; i < eKeys.size(); ++i)
        options[uoKey1 + i] = ToCodePage(eKeys[i]->text());
    options[uoSkin] = SkinList.ItemIndex() < 0 ? std::string(kDefaultSkin) : SkinList.Text();
    options[uoLanguage] = LanguageList.ItemIndex() < 0 ? std::string(kDefaultLanguage) : LanguageList.Text();
    return options;
}

void TOptionsPage::SetStandardOptions() {
    const QSignalBlocker quietType(cbGType);
    const QSignalBlocker quietDifficulty(cbDifficult);
    cbGType->setCurrentIndex(0);
    cbDifficult->setCurrentIndex(0);
    seStartLevel->setValue(1);
    seBrLines->setValue(0);
    cbAutoPause->setChecked(true);
    cbFullScreen->setChecked(false);
    cbSounds->setChecked(true);
    cbShadow->setChecked(false);
    cbShowFix->setChecked(true);
    cbAutoSave->setChecked(true);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uResultRecord.h"
#include "platform/uCodePage.h"
#include "server/check/uUploadCheck.h"
#include "server/pages/uScoreJson.h"
#include "server/store/uScoreDatabase.h"
#include "storage/uHSEntry.h"
#include "storage/uHSUpload.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ResultRecord, AnEntryComesBackWholeFromTheFileTheUploadTheServersCheckItsJsonAndItsDatabase) {
    tHS entry;
    static_cast<tResultTexts&>(entry) = {"07.03.05 21:15:00", "4:02", "3", "2", "96 [23,8/m]", "31 [7,7/m]"};
    // A bar, which only the name may hold, and two letters of the code page.
    entry.Name = "A|\xC1\xEE";
    entry.Level = 5;
    entry.Score = 12345;
    entry.Slot = 4;
    const tResultValues values = ValuesOf(entry);

    tStringListINI doc;
    WriteHSSlot(doc, "Standart_Normal", StoredForm("Standart_Normal", entry));
    const tHSStored stored = ReadHSSection(doc, "Standart_Normal")[3];
    ASSERT_EQ(CheckStored("Standart_Normal", stored), tHSCheck::Valid);
    const tHS read = EntryOf("Standart_Normal", stored);
    EXPECT_EQ(ValuesOf(read).Texts, values.Texts);

    const tUploadVerdict verdict = CheckUpload(UploadData("Standart", "Normal", read));
    ASSERT_TRUE(verdict.Record) << verdict.Problem;
    EXPECT_EQ(ValuesOf(verdict.Record->Entry).Texts, values.Texts);

    const QJsonObject json =
        QJsonDocument::fromJson(TableJson({"Standart", "Normal", 1, 1, 1, {*verdict.Record}}))
            .object()["results"]
            .toArray()[0]
            .toObject();
    for (const tResultFieldSpec& f : kResultFields) {
        const QJsonValue value =
            json[QString::fromUtf8(f.JsonKey.data(), static_cast<qsizetype>(f.JsonKey.size()))];
        const std::string& text = values[f.Field];
        EXPECT_EQ(value.isString() ? value.toString() : QString::number(value.toInt()),
                  f.Form == tResultForm::CodePageText ? FromCodePage(text) : QString::fromStdString(text))
            << f.JsonKey;
    }

    QTemporaryDir dir;
    tDatabaseTarget target;
    target.Name = dir.filePath("scores.sqlite");
    tScoreDatabase db(target, "result-record");
    const tStoreResult<void> opened = db.Open();
    ASSERT_TRUE(opened) << opened.Problem().toStdString();
    const auto taken = db.Results().Store(*verdict.Record);
    ASSERT_TRUE(taken) << taken.Problem().toStdString();
    const auto best = db.Results().Best("Standart", "Normal", 0, 10);
    ASSERT_TRUE(best && best->size() == 1u) << best.Problem().toStdString();
    EXPECT_EQ(ValuesOf(best->front().Entry).Texts, values.Texts);
    EXPECT_EQ(best->front().StartMs, verdict.Record->StartMs);
}

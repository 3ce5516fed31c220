// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A main window in a temporary start-up folder, with messages and sounds recorded instead of shown.

#include "engine/uSound.h"
#include "platform/uMessage.h"
#include "shell/stakmain.h"
#include "tests/support/FindChild.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/ScopedBaseDir.h"
#include "tests/support/SoundRecorder.h"
#include "widgets/uKeyEdit.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        baseDir_.Set(dir_.path().toStdString());
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(previousDir_);
    }
    void Start() {
        form = std::make_unique<TMainForm>();
        form->show();
    }
    void LogIn(const QString& name) {
        QTest::keyClicks(Find<QComboBox>("cbUsers")->lineEdit(), name);
        QTest::keyClick(Find<QComboBox>("cbUsers"), Qt::Key_Return);
    }
    // A control of the window by its name; in full screen the window's controls are the view's, so a test
    // finds them before.
    template <typename tControl> tControl* Find(const char* name) const {
        return FindChild<tControl>(form.get(), name);
    }
    // The key edit of an action slot, 1 to 7.
    TKeyEdit* KeyEdit(int slot) const { return Find<TKeyEdit>(qPrintable(QString("eKeys%1").arg(slot))); }
    // Picks the entry of a list the way a player does: the list takes the focus and the arrow keys move it.
    static void Pick(QComboBox* list, int index) {
        list->setFocus();
        while (list->currentIndex() < index)
            QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() > index)
            QTest::keyClick(list, Qt::Key_Up);
    }

    QTemporaryDir dir_;
    tMessageRecorder messageRecorder;
    tSoundRecorder soundRecorder;
    std::vector<std::string>& messages = messageRecorder.messages;
    std::vector<std::string>& sounds = soundRecorder.sounds;
    std::unique_ptr<TMainForm> form;

private:
    QString previousDir_;
    tScopedBaseDir baseDir_{BaseDir};
};

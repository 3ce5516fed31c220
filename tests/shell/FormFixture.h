#pragma once
// A main window in a temporary start-up folder, with messages and sounds recorded instead of shown.

#include "engine/uSound.h"
#include "platform/uMessage.h"
#include "shell/stakmain.h"
#include "shell/uOptionsPage.h"

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
        messageHook_ = SetMessagePresenter([this](const std::string& text) { messages.push_back(text); });
        soundHook_ = SetSoundHook([this](const std::string& name) { sounds.push_back(name); });
    }
    void TearDown() override {
        form.reset();
        SetMessagePresenter(messageHook_);
        SetSoundHook(soundHook_);
        QDir::setCurrent(previousDir_);
    }
    void Start() {
        form = std::make_unique<TMainForm>();
        form->show();
    }
    void LogIn(const QString& name) {
        QTest::keyClicks(form->cbUsers->lineEdit(), name);
        QTest::keyClick(form->cbUsers, Qt::Key_Return);
    }
    // Picks the entry of a list the way a player does: the list takes the focus and the arrow keys move it.
    static void Pick(QComboBox* list, int index) {
        list->setFocus();
        while (list->currentIndex() < index)
            QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() > index)
            QTest::keyClick(list, Qt::Key_Up);
    }
    TOptionsPage& Page() { return *form->pConf; }

    QTemporaryDir dir_;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> messages;
    std::vector<std::string> sounds;

private:
    QString previousDir_;
    tMessagePresenter messageHook_;
    tSoundHook soundHook_;
};

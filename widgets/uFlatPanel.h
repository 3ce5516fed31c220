#pragma once
// A flat panel: a face with a one-pixel border, in colours of its own.

#include <QColor>
#include <QWidget>

class tFlatPanel : public QWidget {
public:
    explicit tFlatPanel(QWidget* parent);
    void SetColors(const QColor& face, const QColor& border);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor face_;
    QColor border_;
};

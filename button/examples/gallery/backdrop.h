#pragma once

#include <QWidget>

// A panel with a busy, colourful background, so that buttons that let their
// container show through (Alpha, Shadow) have something to show.
class Backdrop : public QWidget
{
    Q_OBJECT

public:
    explicit Backdrop(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

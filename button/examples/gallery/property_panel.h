#pragma once

#include <QWidget>

class QFormLayout;
class QGridLayout;
class QLayout;

// Controls that change one button through its named properties
// (QObject::setProperty), so every change goes the way a host's would.
class PropertyPanel : public QWidget
{
    Q_OBJECT

public:
    explicit PropertyPanel(QObject *button, QWidget *parent = nullptr);

private:
    void addCaption(QFormLayout *form);
    void addChoice(QFormLayout *form, const char *property);
    void addColour(QFormLayout *form, const char *property);
    void addToggle(QGridLayout *grid, const char *property);
    // Buttons that set ButtonState, and one that plays the hover effect.
    QLayout *states();

    QObject *const m_button;
};

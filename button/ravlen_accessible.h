#pragma once

#include <QAccessibleWidget>

class Ravlen;

// What assistive technology sees of a Ravlen: a push button named by its
// caption as shown (the "~$" escapes decoded, the access key's "&" left out
// and "&&" read as one "&"), focusable, focused and unavailable as the
// widget is, whose press action clicks it as its access key does.
class RavlenAccessible : public QAccessibleWidget
{
public:
    explicit RavlenAccessible(Ravlen *button);

    // Registers the factory with QAccessible; once per process is enough,
    // later calls do nothing.
    static void install();

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    // A caption as a screen reader should say it: "&Start" is "Start",
    // "Q&&A" is "Q&A".
    static QString withoutAccessKey(const QString &shown);

private:
    Ravlen *button() const;
};

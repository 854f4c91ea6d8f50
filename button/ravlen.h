#pragma once

#include "ravlenlib_export.h"

#include <QWidget>

// A skinnable push button.
class RAVLENLIB_EXPORT Ravlen : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    explicit Ravlen(QWidget *parent = nullptr);
    ~Ravlen() override;

    QString caption() const;
    void setCaption(const QString &caption);

Q_SIGNALS:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_caption = QStringLiteral("Ravlen");
};

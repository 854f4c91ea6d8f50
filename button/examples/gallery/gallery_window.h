#pragma once

#include <QVariant>
#include <QWidget>

#include <initializer_list>
#include <utility>

class QCheckBox;
class QGroupBox;
class QGridLayout;

// Every built-in look of the button in its three states, a panel of layer
// combinations, and one button to change by hand.
class GalleryWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget *parent = nullptr);

    // Switches the whole application to a dark palette and back.
    void setDarkPalette(bool dark);

private:
    using Properties = std::initializer_list<std::pair<const char *, QVariant>>;

    // A button of the given size set up through its named properties.
    static QWidget *makeButton(QWidget *parent, QSize size, const QString &caption, Properties properties);

    QWidget *stylesPanel();
    QWidget *layersPanel();
    QWidget *livePanel();

    QGroupBox *tintGroup();
    QGroupBox *outlineGroup();
    QGroupBox *textureGroup();
    QGroupBox *alphaGroup();
    QGroupBox *shadowGroup();
    QGroupBox *arrowGroup();
    QGroupBox *iconGroup();
    QGroupBox *captionGroup();

    QWidget *m_live = nullptr;
    QCheckBox *m_dark = nullptr;
};

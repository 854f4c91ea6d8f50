#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// A window's designed layout as stored in its layout file: every control
// with its kind, name, index within a control array, container, position and
// size in twips (15 twips to a pixel at 96 dpi), caption or text, font, and
// for every button its property bag.
struct FontDesign {
    QString family;
    double pointSize = 0; // 0: inherited
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool isSet() const { return !family.isEmpty() || pointSize > 0; }
};

struct ControlDesign {
    QString kind; // Ravlen, Label, TextBox, ComboBox, OptionButton, CheckBox, Frame,
        // HScrollBar, TabControl, TextEditor, RichText, Picture
    QString name;
    int index = -1; // position within its control array; -1 when not in one
    QString parent; // a Frame or TabControl of the same window; empty for the window itself
    int tab = -1; // the page of a TabControl parent
    int left = 0, top = 0, width = 0, height = 0; // twips
    QString caption; // caption or text
    FontDesign font;
    bool visible = true;
    bool enabled = true;
    bool locked = false; // a text box whose text only the program sets
    bool wordWrap = false;
    QString alignment; // left, center, right
    QString toolTip;
    QStringList items; // combo box items, tab captions
    bool checked = false; // option button or check box selected
    int minimum = 0, maximum = 0, step = 1, value = 0; // scroll bar
    QString picture; // a Picture's image: resource or file path
    QJsonObject bag; // a Ravlen's stored properties

    QString key() const;
};

struct FormLayout {
    QString name;
    QString caption;
    int width = 0, height = 0; // client area, twips
    QString backColor; // "#rrggbb", empty for the palette's
    FontDesign font;
    QList<ControlDesign> controls;
};

// Reads a layout file; throws ZorbelError when it is missing or malformed.
FormLayout readFormLayout(const QString &path);
FormLayout parseFormLayout(const QByteArray &json);

// The key of a control within its window: "name" or "name(index)".
QString controlKey(const QString &name, int index = -1);

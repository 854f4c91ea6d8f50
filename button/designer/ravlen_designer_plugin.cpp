#include "ravlen_designer_plugin.h"

#include "RavlenLib/ravlen.h"

#include <QIcon>

RavlenDesignerPlugin::RavlenDesignerPlugin(QObject *parent)
    : QObject(parent)
{
}

QString RavlenDesignerPlugin::name() const { return QStringLiteral("Ravlen"); }

QString RavlenDesignerPlugin::group() const { return QStringLiteral("RavlenLib"); }

QString RavlenDesignerPlugin::toolTip() const { return QStringLiteral("Skinnable push button"); }

QString RavlenDesignerPlugin::whatsThis() const
{
    return QStringLiteral("A push button with thirteen skins and a gradient face, tint, texture, shadows, a split "
                          "arrow, an icon beside its caption, hover effects, fades between its states and sounds.");
}

QString RavlenDesignerPlugin::includeFile() const { return QStringLiteral("RavlenLib/ravlen.h"); }

QIcon RavlenDesignerPlugin::icon() const
{
    // The widget box shows the button as it looks when placed, without its caption.
    Ravlen button;
    button.setCaption(QString());
    button.resize(32, 16);
    return QIcon(button.grab());
}

bool RavlenDesignerPlugin::isContainer() const { return false; }

QWidget *RavlenDesignerPlugin::createWidget(QWidget *parent) { return new Ravlen(parent); }

bool RavlenDesignerPlugin::isInitialized() const { return m_initialized; }

void RavlenDesignerPlugin::initialize(QDesignerFormEditorInterface *) { m_initialized = true; }

QString RavlenDesignerPlugin::domXml() const
{
    // A newly placed button's size, as the widget itself starts.
    return QStringLiteral(R"(<ui language="c++">
 <widget class="Ravlen" name="ravlen">
  <property name="geometry">
   <rect>
    <x>0</x>
    <y>0</y>
    <width>81</width>
    <height>33</height>
   </rect>
  </property>
 </widget>
</ui>
)");
}

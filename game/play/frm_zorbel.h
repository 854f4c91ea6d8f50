#pragma once

#include <QWidget>

class AppContext;

// The host's main window, the board the room watches.
class FrmZorbel : public QWidget
{
    Q_OBJECT

public:
    explicit FrmZorbel(AppContext &context, QWidget *parent = nullptr);

    void Form_Load();

private:
    AppContext &m_context;
};

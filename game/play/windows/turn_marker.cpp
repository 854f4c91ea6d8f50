#include "play/windows/turn_marker.h"

#include <QLabel>
#include <QLineEdit>

TurnMarker::TurnMarker(QWidget *window, QList<QLineEdit *> nameBoxes, const QWidget *board)
    : m_marker(new QLabel(QStringLiteral("\u25B6"), window))
    , m_nameBoxes(std::move(nameBoxes))
    , m_board(board)
{
    m_marker->setObjectName(QStringLiteral("lblTurn"));
    m_marker->setAlignment(Qt::AlignCenter);
    m_marker->setAccessibleName(QStringLiteral("Current player"));
    markRow(0);
}

void TurnMarker::markRow(int row)
{
    for (int i = 0; i < m_nameBoxes.size(); ++i)
        m_nameBoxes.at(i)->setAccessibleDescription(i == row ? QStringLiteral("Current player") : QString());
    const QRect box = m_nameBoxes.at(row)->geometry();
    const int left = m_board->geometry().right() + 1;
    m_marker->setGeometry(left, box.y(), box.x() - left, box.height());
    m_marker->show();
}

#pragma once

#include <QList>

class QLabel;
class QLineEdit;
class QWidget;

// Shows whose turn it is by more than the row's colour: a marker beside
// the current player's name, and the name box tells screen readers.
class TurnMarker
{
public:
    // The marker sits in the gap between the board and the name boxes,
    // from the board's right edge wherever the board is at the time.
    TurnMarker(QWidget *window, QList<QLineEdit *> nameBoxes, const QWidget *board);

    void markRow(int row);

private:
    QLabel *m_marker;
    QList<QLineEdit *> m_nameBoxes;
    const QWidget *m_board;
};

#pragma once

#include <QPushButton>

// A cell of the board. A tile shows its number and is pressed like any push
// button; the blank draws nothing, takes no clicks and no focus, and yet stays
// in place, so that it keeps its place among the cells for a screen reader.
class TileButton : public QPushButton
{
    Q_OBJECT
public:
    TileButton(int index, QWidget *parent = nullptr);

    // The cell's place, counted from 1: row 1 at the top, column 1 at the left.
    int row() const { return m_index / 4 + 1; }
    int column() const { return m_index % 4 + 1; }
    // "row R, column C": what a screen reader says of the cell's place.
    QString placeText() const;

    bool isBlank() const { return m_blank; }
    void setBlank(bool blank);
    // Whether the focus may rest on the cell while it is a tile (not while the
    // options panel lies over the board).
    void setReachable(bool reachable);

    // True while the clicked signal of a mouse click is being sent.
    bool clickedByMouse() const { return m_clickedByMouse; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void updateFocusPolicy();

    int m_index;
    bool m_blank = false;
    bool m_reachable = true;
    bool m_clickedByMouse = false;
};

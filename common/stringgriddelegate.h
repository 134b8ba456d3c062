#pragma once

#include <QStyledItemDelegate>

class StringGrid;

// Paints through the grid's drawCell hook and lets the grid see every key
// typed into an editor before the editor does.
class StringGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit StringGridDelegate(StringGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

  private:
    StringGrid* grid_;
};

// What opens inside the current cell of a LattixWidget, as assistive technologies see it: the
// in-place editor (an editable text field) and the drop-down list (a list whose highlighted item
// is the focused one). Both are children of the current cell while they are open.
#pragma once

#include <QAccessibleInterface>

#include <cstdint>
#include <vector>

namespace lattix {

class Lattix;
class LattixWidgetAccessible;
namespace controls {
class DropDownList;
}

class GridEditorAccessible : public QAccessibleInterface,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface {
public:
    explicit GridEditorAccessible(LattixWidgetAccessible* table) : table_(table) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    // Name: the column's header text; value: the text being typed.
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::EditableText; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    QString Text() const;
    void SetText(const QString& text);

    LattixWidgetAccessible* table_;
};

class GridDropDownAccessible : public QAccessibleInterface {
public:
    explicit GridDropDownAccessible(LattixWidgetAccessible* table) : table_(table) {}
    ~GridDropDownAccessible() override;

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::List; }
    QAccessible::State state() const override;

    // The list window shown, nullptr when none is open.
    const controls::DropDownList* Items() const;
    // The highlighted item, -1 when none.
    int Highlighted() const;
    LattixWidgetAccessible* tableInterface() const { return table_; }

private:
    LattixWidgetAccessible* table_;
    mutable std::vector<QAccessible::Id> items_;
};

class GridListItemAccessible : public QAccessibleInterface {
public:
    GridListItemAccessible(GridDropDownAccessible* list, int index) : list_(list), index_(index) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_->window(); }
    QAccessibleInterface* parent() const override { return list_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

private:
    GridDropDownAccessible* list_;
    int index_;
};

} // namespace lattix

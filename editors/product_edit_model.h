// ProductEditModel: the production-type editor without its window: the record under edit, the
// filters, the two lists' unit-type ids in their order and the moves between them.
#pragma once

#include "editors/product_type_rules.h"

#include <vector>

class GameState;

enum class EditSide { Right = 0, Left = 1 };

// A list's order: right keys 0 class, 1 name; left keys also 2 cost.
struct EditListOrder {
    int key = 0;
    bool descending = false;
};

class ProductEditModel {
public:
    // At most this many selected rows move at once.
    static constexpr size_t kMaxMovedRows = 2000;
    static constexpr int kAllDomains = 255;

    ProductEditModel(const GameState& state, const ProductionTypeRecord& record);

    const ProductionTypeRecord& record() const { return m_record; }
    ProductionTypeRecord& record() { return m_record; }

    // The ids shown on a side, in their order.
    const std::vector<int>& ids(EditSide side) const { return side == EditSide::Right ? m_right : m_left; }
    const EditListOrder& order(EditSide side) const { return side == EditSide::Right ? m_rightOrder : m_leftOrder; }

    int domainMask() const { return m_domainMask; }
    int classFilter() const { return m_classFilter; }
    // Flips the domain's bit and rebuilds both lists.
    void toggleDomain(int domain);
    void setClassFilter(int classFilter);

    // Fills both lists from the record and the filters, each in its order.
    void rebuild();
    // The same key again flips the order; another key becomes the key, ascending.
    void chooseSortKey(EditSide side, int key);
    void sort(EditSide side);

    // Moves the rows (positions on the left) into the record and the right list, which is sorted
    // again; the left list keeps the order of what stays. Answers how many moved.
    int add(const std::vector<int>& leftRows);
    // The mirror: out of the record, onto the left, the left sorted again.
    int remove(const std::vector<int>& rightRows);

    ProductEditTotals totals() const;

private:
    int move(EditSide from, const std::vector<int>& rows);

    const GameState& m_state;
    ProductionTypeRecord m_record;
    int m_domainMask = kAllDomains;
    int m_classFilter = kEveryUnitClass;
    EditListOrder m_rightOrder;
    EditListOrder m_leftOrder;
    std::vector<int> m_right;
    std::vector<int> m_left;
};

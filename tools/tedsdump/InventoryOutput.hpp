#pragma once
// The rows of an inventory as a table, as CSV or as JSON Lines.

#include <ostream>
#include <string>
#include <vector>

#include "Inventory.hpp"

namespace tedsdump {

enum class ListForm { Table, Csv, JsonLines };

class InventoryOutput {
public:
    InventoryOutput(std::ostream& out, ListForm form);

    // CSV and JSON Lines are written row by row; a table once all rows are in.
    void add(const InventoryRow& row);
    void finish();

private:
    std::ostream& out_;
    ListForm form_;
    std::vector<std::vector<std::string>> table_;
};

}  // namespace tedsdump

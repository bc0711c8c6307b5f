#include "InventoryError.h"

#include <utility>

#include "InventoryText.h"

InventoryError::InventoryError(const YAML::Mark& mark, std::string subject, std::string what)
    : m_Mark(mark), m_Subject(std::move(subject)), m_What(std::move(what)) {}

std::string InventoryError::Line(const std::string& label) const {
    std::string line = InventoryText::Shown(label, std::string::npos);
    // yaml-cpp counts lines and columns from 0.
    if (!m_Mark.is_null() && m_Mark.line >= 0 && m_Mark.column >= 0)
        line += ":" + std::to_string(m_Mark.line + 1) + ":" + std::to_string(m_Mark.column + 1);
    line += ": ";
    if (!m_Subject.empty())
        line += m_Subject + ": ";
    return line + m_What;
}

// A fault in an inventory: the place in the file when there is one, whose
// settings it is about (a host, a group, the defaults) and what is wrong. The
// text never holds a secret value: the code that raises it names keys,
// variables and files only.
#pragma once

#include <exception>
#include <string>

#include <yaml-cpp/mark.h>

class InventoryError : public std::exception {
public:
    // `subject` is "host R1", "group core", "all: vars" or empty; user text
    // in it and in `what` is already shown through InventoryText::Shown.
    InventoryError(const YAML::Mark& mark, std::string subject, std::string what);

    const char* what() const noexcept override { return m_What.c_str(); }

    // The one-line message for the inventory `label`:
    // label[:line:column]: [subject: ]what
    std::string Line(const std::string& label) const;

private:
    YAML::Mark m_Mark;
    std::string m_Subject;
    std::string m_What;
};

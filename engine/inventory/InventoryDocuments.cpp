#include "InventoryDocuments.h"

#include <sstream>

#include <yaml-cpp/parser.h>

std::vector<YAML::Mark> InventoryDocuments::Starts(const std::string& text, std::size_t most) {
    std::istringstream stream(text);
    YAML::Parser parser(stream);
    InventoryDocuments documents;
    while (documents.m_Starts.size() < most && parser.HandleNextDocument(documents)) {
    }
    return documents.m_Starts;
}

void InventoryDocuments::OnDocumentStart(const YAML::Mark& mark) {
    m_Starts.push_back(mark);
}

#include "InventoryReader.h"

#include <utility>

#include <yaml-cpp/yaml.h>

#include "InventoryDocuments.h"
#include "InventoryError.h"
#include "InventoryFile.h"
#include "InventoryHostBuilder.h"
#include "InventoryText.h"
#include "InventoryTree.h"
#include "Secret.h"

namespace {

// The folder a file is in, as a path that can be put before a relative one.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Where in the text a byte offset is, counted as yaml-cpp does (from 0).
YAML::Mark MarkAt(const std::string& text, std::size_t offset) {
    YAML::Mark mark;
    mark.pos = static_cast<int>(offset);
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++mark.line;
            mark.column = 0;
        } else {
            ++mark.column;
        }
    }
    return mark;
}

} // namespace

InventoryReader::InventoryReader() = default;

InventoryReader::~InventoryReader() = default;

void InventoryReader::Clear() {
    m_Hosts.clear();
    m_Defaults = InventoryHost();
}

bool InventoryReader::ReadFile(const std::string& path, std::string& error) {
    Clear();
    const std::string label = InventoryText::Shown(path, std::string::npos);
    Secret text;
    std::string why;
    if (!InventoryFile::Read(path, kLargestFile, text, why)) {
        error = label + ": cannot read the inventory: " + why;
        return false;
    }
    return ReadText(path, text.Reveal(), FolderOf(path), error);
}

bool InventoryReader::ReadText(const std::string& label, const std::string& text,
                               const std::string& folder, std::string& error) {
    Clear();
    // YAML allows no control characters but line ends and tabs, and yaml-cpp
    // loops forever on some text with NUL bytes.
    const std::size_t bad = InventoryText::FirstNonUtf8(text);
    if (bad != std::string::npos) {
        error =
            InventoryError(MarkAt(text, bad), "", "the inventory is not UTF-8 text").Line(label);
        return false;
    }
    const std::size_t control = InventoryText::FirstControlInLines(text);
    if (control != std::string::npos) {
        error = InventoryError(MarkAt(text, control), "",
                               "the inventory holds a control character, which YAML does not allow")
                    .Line(label);
        return false;
    }
    YAML::Node document;
    try {
        const std::vector<YAML::Mark> starts = InventoryDocuments::Starts(text, 2);
        if (starts.size() == 2 && starts[1].pos == starts[0].pos) {
            const bool comma = starts[0].pos >= 0 &&
                               static_cast<std::size_t>(starts[0].pos) < text.size() &&
                               text[starts[0].pos] == ',';
            error = InventoryError(starts[0], "",
                                   comma ? "',' outside [ ] or { }"
                                         : "yaml-cpp cannot read on from here")
                        .Line(label);
            return false;
        }
        if (starts.size() == 2) {
            error = InventoryError(starts[1], "", "the inventory holds more than one YAML document")
                        .Line(label);
            return false;
        }
        document.reset(YAML::Load(text));
    } catch (const YAML::Exception& exception) {
        error = InventoryError(exception.mark, "", InventoryText::Shown(exception.msg, 200))
                    .Line(label);
        return false;
    }

    try {
        const InventoryTree tree(document);
        const InventoryHostBuilder builder(folder);
        std::vector<InventoryHost> hosts;
        hosts.reserve(tree.Hosts().size());
        for (const InventoryTree::Host& host : tree.Hosts())
            hosts.push_back(builder.Host(host.name, host.variables));
        m_Defaults = builder.Defaults(tree.AllVariables());
        m_Hosts = std::move(hosts);
    } catch (const InventoryError& fault) {
        Clear();
        error = fault.Line(label);
        return false;
    }
    return true;
}

void InventoryReader::SetHostKeyChecking(bool on) {
    for (InventoryHost& host : m_Hosts)
        host.ssh.hostKeyChecking = on;
    m_Defaults.ssh.hostKeyChecking = on;
}

#include "InventorySecretReader.h"

#include <cstdlib>
#include <string_view>
#include <utility>

#include "InventoryError.h"
#include "InventoryFile.h"
#include "InventoryScalar.h"
#include "InventoryText.h"

namespace {

// What a secret from outside the inventory must be, as the inventory's own
// text is: UTF-8 without line breaks, which would end the line it is sent on.
bool IsText(std::string_view value) {
    return InventoryText::FirstNonUtf8(value) == std::string_view::npos &&
           !InventoryText::HasControl(value);
}

} // namespace

InventorySecretReader::InventorySecretReader(std::string folder) : m_Folder(std::move(folder)) {}

Secret InventorySecretReader::Read(const YAML::Node& value, const std::string& subject,
                                   const std::string& key) const {
    if (!value.IsDefined() || value.IsNull())
        return Secret();
    if (value.IsScalar())
        return Secret(InventoryScalar::Text(value, subject, key, true));
    if (InventoryScalar::IsVault(value)) // a vault mapping: Text refuses it
        InventoryScalar::Text(value, subject, key, true);
    if (value.IsMap() && value.size() == 1) {
        const auto entry = value.begin();
        if (entry->first.IsScalar() && entry->second.IsScalar()) {
            if (entry->first.Scalar() == "env")
                return FromEnvironment(entry->second, subject, key);
            if (entry->first.Scalar() == "file")
                return FromFile(entry->second, subject, key);
        }
    }
    throw InventoryError(value.Mark(), subject,
                         key + " is a secret: give the value itself, {env: NAME} or {file: PATH}");
}

Secret InventorySecretReader::FromEnvironment(const YAML::Node& name, const std::string& subject,
                                              const std::string& key) const {
    const std::string variable = InventoryScalar::Text(name, subject, key + " (env)", false);
    if (variable.empty() || variable.find('=') != std::string::npos)
        throw InventoryError(name.Mark(), subject,
                             key + " names environment variable '" +
                                 InventoryText::Shown(variable) + "', which no variable can be");
    const char* text = std::getenv(variable.c_str());
    if (text == nullptr)
        throw InventoryError(name.Mark(), subject,
                             key + " names environment variable " + InventoryText::Shown(variable) +
                                 ", which is not set");
    Secret secret{std::string(text)};
    if (!IsText(secret.Reveal()))
        throw InventoryError(name.Mark(), subject,
                             key + ": environment variable " + InventoryText::Shown(variable) +
                                 " is not UTF-8 text or holds a control character such as a line "
                                 "break");
    return secret;
}

Secret InventorySecretReader::FromFile(const YAML::Node& path, const std::string& subject,
                                       const std::string& key) const {
    const std::string given = InventoryScalar::Text(path, subject, key + " (file)", false);
    const std::string full = given.empty() || given[0] == '/'
                                 ? given
                                 : (m_Folder.empty() ? "." : m_Folder) + "/" + given;
    const auto fail = [&](const std::string& why) {
        return InventoryError(path.Mark(), subject,
                              key + " names file " + InventoryText::Shown(full, std::string::npos) +
                                  ", which cannot be read: " + why);
    };
    if (given.empty())
        throw fail("the path is empty");

    Secret secret;
    std::string why;
    if (!InventoryFile::Read(full, kLargestFile, secret, why))
        throw fail(why);

    std::string_view value = secret.Reveal();
    if (!value.empty() && value.back() == '\n')
        value.remove_suffix(value.size() >= 2 && value[value.size() - 2] == '\r' ? 2 : 1);
    if (!IsText(value))
        throw InventoryError(path.Mark(), subject,
                             key + ": file " + InventoryText::Shown(full, std::string::npos) +
                                 " is not UTF-8 text or holds a control character such as a line "
                                 "break");
    if (value.size() == secret.Reveal().size())
        return secret;
    return Secret(std::string(value));
}

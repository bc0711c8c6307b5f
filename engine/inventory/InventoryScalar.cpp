#include "InventoryScalar.h"

#include "InventoryError.h"
#include "InventoryText.h"

namespace {

const char* const kUnsafeTag = "!unsafe";
const char* const kVaultTag = "!vault";
const char* const kVaultHeader = "$ANSIBLE_VAULT;";

bool IsUnsafe(const YAML::Node& value) {
    return value.Tag() == kUnsafeTag;
}

} // namespace

bool InventoryScalar::IsVault(const YAML::Node& value) {
    if (value.Tag().rfind(kVaultTag, 0) == 0)
        return true;
    return value.IsScalar() && !IsUnsafe(value) && value.Scalar().rfind(kVaultHeader, 0) == 0;
}

std::string InventoryScalar::Text(const YAML::Node& value, const std::string& subject,
                                  const std::string& key, bool secret) {
    const std::string other =
        secret ? "give the value itself, {env: NAME} or {file: PATH}" : "give the value itself";
    if (IsVault(value))
        throw InventoryError(value.Mark(), subject,
                             key + " is vault-encrypted; quillon decrypts no vault: " + other);
    const std::string& text = value.Scalar();
    if (!IsUnsafe(value) && InventoryText::IsTemplate(text))
        throw InventoryError(
            value.Mark(), subject,
            key + " is a template ({{ ... }}); quillon expands no templates: " + other);
    if (InventoryText::HasControl(text))
        throw InventoryError(value.Mark(), subject,
                             key + " holds a control character such as a line break");
    return text;
}

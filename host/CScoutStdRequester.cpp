#include "CScoutStdRequester.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "CScoutDevice.h"
#include "CScoutEntityJournal.h"
#include "CZanASN1Address.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanDoubleList.h"
#include "CZanRecord.h"
#include "CZanSnmpVarOp.h"

namespace {

void NoteCommand(CZanRecord* ne, const std::string& command) {
    if (ne != nullptr && ne->ZRJournal() != nullptr)
        ne->ZRJournal()->SEJAddCommand(command);
}

} // namespace

CScoutStdRequester::CScoutStdRequester() = default;

CScoutStdRequester::~CScoutStdRequester() = default;

void CScoutStdRequester::SSRAddDevice(const std::string& identifier, CScoutDevice* device) {
    std::unique_lock<std::shared_mutex> lock(m_DevicesMutex);
    m_Devices[identifier] = device;
}

CScoutDevice* CScoutStdRequester::DeviceFor(CZanRecord* ne) const {
    if (ne == nullptr)
        return nullptr;
    std::shared_lock<std::shared_mutex> lock(m_DevicesMutex);
    auto found = m_Devices.find(ne->ZRIdentifier());
    return found != m_Devices.end() ? found->second : nullptr;
}

char* CScoutStdRequester::SSRGetTELNET(CZanRecord* ne, const char* command) {
    if (command == nullptr)
        return nullptr;
    NoteCommand(ne, command);
    CScoutDevice* device = DeviceFor(ne);
    if (device == nullptr || !device->SDAnswersCommands())
        return nullptr;
    std::string run;
    const std::string* output = device->SDHeldOutput(command);
    if (output == nullptr) {
        if (!device->SDRunCommand(command, run))
            return nullptr;
        output = &run;
    }
    // The whole output is copied, NUL bytes and all; readers stop at the
    // first NUL.
    char* text = static_cast<char*>(std::malloc(output->size() + 1));
    if (text == nullptr)
        return nullptr;
    std::memcpy(text, output->data(), output->size());
    text[output->size()] = '\0';
    return text;
}

CZanAtomVector* CScoutStdRequester::SSRGetTELNET(CZanRecord* ne, CZanAtomVector* commands) {
    if (commands == nullptr)
        return nullptr;
    for (int i = 0; i < commands->ZAVSize(); ++i) {
        const CZanAtom* atom = commands->ZAVGetValue(i);
        if (atom != nullptr && atom->ZAType() == ZAN_STRING)
            NoteCommand(ne, atom->ZAText());
    }
    CScoutDevice* device = DeviceFor(ne);
    if (device == nullptr || !device->SDAnswersCommands()) {
        delete commands;
        return nullptr;
    }
    auto* outputs = new CZanAtomVector(commands->ZAVSize());
    for (int i = 0; i < commands->ZAVSize(); ++i) {
        const CZanAtom* atom = commands->ZAVGetValue(i);
        std::string run;
        const std::string* output = nullptr;
        if (atom != nullptr && atom->ZAType() == ZAN_STRING) {
            output = device->SDHeldOutput(atom->ZAText());
            if (output == nullptr && device->SDRunCommand(atom->ZAText(), run))
                output = &run;
        }
        outputs->ZAVAddToEnd(output != nullptr ? new CZanAtom(*output) : new CZanAtom());
    }
    delete commands;
    return outputs;
}

CZanDoubleList* CScoutStdRequester::SSRGetSNMPWalk(CZanRecord* ne, const char* column) {
    CScoutDevice* device = DeviceFor(ne);
    if (device == nullptr || column == nullptr)
        return nullptr;
    std::vector<CScoutSnmpRow> rows;
    if (!device->SDWalkColumn(column, rows))
        return nullptr;
    auto* walk = new CZanDoubleList(true);
    for (const CScoutSnmpRow& row : rows) {
        CZanASN1Address* index = nullptr;
        if (row.hasIndex)
            index = new CZanASN1Address({static_cast<uint32_t>(row.index)});
        CZanAtom* value = row.isString ? new CZanAtom(row.value) : new CZanAtom();
        walk->ZDLAddToEnd(new CZanSnmpVarOp(index, value));
    }
    return walk;
}

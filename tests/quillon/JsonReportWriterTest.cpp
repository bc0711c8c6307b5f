// The JSON report of an entity: member order, the rendering of the record
// model, and what the journal and the stores hold.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "CScoutEntity.h"
#include "CScoutMediationData.h"
#include "CScoutProcessedData.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanError.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "JsonReportWriter.h"
#include "TopologyRecords.h"

namespace {

using ordered_json = nlohmann::ordered_json;

std::vector<std::string> Keys(const ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items())
        keys.push_back(item.key());
    return keys;
}

CZanVarBind* ListVarBind(const char* name, CZanVBList* list) {
    CZanAtom* atom = new CZanAtom(list);
    return new CZanVarBind(name, &atom);
}

std::string Report(const CScoutEntity& entity, bool accepted) {
    JsonReportWriter writer;
    writer.Begin("Quillon", "Discovery Agent", "3.7.0.38");
    writer.AddEntity(entity, accepted);
    writer.End();
    return writer.Text();
}

TEST(JsonReportWriter, RendersRecordsJournalAndStores) {
    CScoutEntity entity("R1");
    entity.SEBegin();
    CZanError(-220439, "CScoutQuillonAgent", 534, "Unable to find ifIndex\n");
    CZanError(-220402, "CScoutQuillonAgent", 321);
    entity.SEEnd();
    entity.SEJournal().SEJAddRelationshipKey("m_IfIndex");

    // A local neighbour holding a nested list, a vector of lists and,
    // as two interfaces on one ifIndex give, a repeated name.
    CZanVBList* level = new CZanVBList();
    level->ZVBLAddToListEnd(new CZanVarBind("m_LevelType", "Level-1"));
    level->ZVBLAddToListEnd(new CZanVarBind("m_Metric", 10));
    CZanAtomVector* levels = new CZanAtomVector(2);
    levels->ZAVAddToEnd(new CZanAtom(level));
    levels->ZAVAddToEnd(new CZanAtom("plain"));
    CZanVBList* endPoint = new CZanVBList();
    endPoint->ZVBLAddToListEnd(new CZanVarBind("m_ISISEnabled", 1));
    CZanAtom* vectorAtom = new CZanAtom(levels);
    endPoint->ZVBLAddToListEnd(new CZanVarBind("m_LevelData", &vectorAtom));
    CZanVBList* local = new CZanVBList();
    local->ZVBLAddToListEnd(new CZanVarBind("m_IfIndex", 1));
    local->ZVBLAddToListEnd(new CZanVarBind("m_IfDescr", "Ethernet0/0"));
    local->ZVBLAddToListEnd(ListVarBind("m_ISISTOPO", endPoint));
    CZanVBList* second = new CZanVBList();
    second->ZVBLAddToListEnd(new CZanVarBind("m_ISISEnabled", 0));
    local->ZVBLAddToListEnd(ListVarBind("m_ISISTOPO", second));
    entity.SEProcessedData().SPDAddLocalNbr(local);

    CZanVBList* remote = new CZanVBList();
    remote->ZVBLAddToListEnd(new CZanVarBind("m_RemoteNbrIpAddr", "10.0.0.2"));
    CZanVarBind key("m_IfIndex", -1);
    entity.SEProcessedData().SPDAddRemoteNbr(&key, remote);

    CZanVBList* service = new CZanVBList();
    service->ZVBLAddToListEnd(new CZanVarBind("m_HostName", std::string("r\xFF", 2)));
    entity.SERecord().ZRAddOrSetObjectVal("m_ExtraInfo", ListVarBind("m_ISISTOPO", service));
    entity.SERecord().ZRAddOrSetObjectVal("m_Count", new CZanVarBind("m_Count", 3));

    entity.SEMediationData().SMDAddDataPtr("zeta", &key);
    entity.SEMediationData().SMDAddDataPtr("ifDescr", &key);

    const std::string text = Report(entity, true);
    // Both "m_ISISTOPO" members are written; a parser keeps only one, so
    // look at the text.
    const std::size_t first = text.find("\"m_ISISTOPO\"");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(text.find("\"m_ISISTOPO\"", first + 1), std::string::npos);

    const ordered_json r1 = ordered_json::parse(text)["entities"][0];
    EXPECT_EQ(r1["accepted"], true);
    EXPECT_EQ(r1["errors"], ordered_json::parse(R"([
        {"code": -220439, "file": "CScoutQuillonAgent", "line": 534,
         "message": "Unable to find ifIndex\n"},
        {"code": -220402, "file": "CScoutQuillonAgent", "line": 321, "message": null}])"));

    const ordered_json& neighbour = r1["localNeighbours"][0];
    EXPECT_EQ(Keys(neighbour), (std::vector<std::string>{"m_IfIndex", "m_IfDescr", "m_ISISTOPO"}));
    EXPECT_EQ(neighbour["m_IfIndex"], 1);
    EXPECT_EQ(neighbour["m_ISISTOPO"], ordered_json::parse(R"({"m_ISISEnabled": 0})"));

    // The first "m_ISISTOPO", as written, holds the end point.
    const std::string endPointText =
        R"("m_ISISTOPO": {
            "m_ISISEnabled": 1,
            "m_LevelData": [
              {
                "m_LevelType": "Level-1",
                "m_Metric": 10
              },
              "plain"
            ]
          },)";
    EXPECT_NE(text.find(endPointText), std::string::npos) << text;

    EXPECT_EQ(r1["remoteNeighbours"], ordered_json::parse(R"([
        {"m_IfIndex": -1, "record": {"m_RemoteNbrIpAddr": "10.0.0.2"}}])"));
    EXPECT_EQ(Keys(r1["fields"]), (std::vector<std::string>{"m_ExtraInfo", "m_Count"}));
    EXPECT_EQ(r1["fields"]["m_ExtraInfo"],
              ordered_json::parse("{\"m_ISISTOPO\": {\"m_HostName\": \"r\xEF\xBF\xBD\"}}"));
    EXPECT_EQ(r1["fields"]["m_Count"], ordered_json::parse(R"({"m_Count": 3})"));
    EXPECT_EQ(r1["relationshipKeys"], ordered_json::array({"m_IfIndex"}));
    EXPECT_EQ(r1["mediationKeysLeft"], ordered_json::array({"ifDescr", "zeta"}));

    entity.SEMediationData().SMDRemoveDataPtr("zeta");
    entity.SEMediationData().SMDRemoveDataPtr("ifDescr");
}

TEST(JsonReportWriter, LinksFollowTheEntities) {
    CScoutTopology topology;
    topology_records::AddAll(topology, topology_records::MixedRun());
    CScoutEntity entity("R1");
    JsonReportWriter writer;
    writer.Begin("Quillon", "Discovery Agent", "3.7.0.38");
    writer.AddEntity(entity, false);
    writer.AddLinks(topology);
    writer.End();
    const ordered_json report = ordered_json::parse(writer.Text());
    EXPECT_EQ(Keys(report), (std::vector<std::string>{"agent", "entities", "links"}));
    EXPECT_EQ(report["entities"].size(), 1u);
    EXPECT_EQ(report["links"], ordered_json::parse(R"([
      {"from": {"router": "R1", "hostName": "r1", "systemId": "0000.0000.0001", "area": "49.0001",
                "ifIndex": 1, "ifDescr": "Ethernet0/0", "address": "10.0.0.1",
                "metrics": {"Level-1": 10}},
       "to": {"router": "R2", "hostName": "r2", "systemId": "0000.0000.0002", "area": "49.0001",
              "ifIndex": 2, "ifDescr": "Ethernet0/1", "address": "10.0.0.2",
              "metrics": {"Level-1": 15}},
       "type": "L1",
       "pseudoNodes": [{"id": "r1.01", "levels": ["Level-1"], "designatedIS": "R1"}],
       "status": "confirmed", "candidates": []},
      {"from": {"router": "R1", "hostName": "r1", "systemId": "0000.0000.0001", "area": "49.0001",
                "ifIndex": 5, "ifDescr": "Serial1/0", "address": null,
                "metrics": {"Level-2": 30}},
       "to": {"router": null, "hostName": "r9", "systemId": null, "area": "49.0009",
              "ifIndex": null, "ifDescr": null, "address": "10.0.19.9", "metrics": {}},
       "type": "L2", "pseudoNodes": [], "status": "unknown-router", "candidates": []},
      {"from": {"router": "R1", "hostName": "r1", "systemId": "0000.0000.0001", "area": "49.0001",
                "ifIndex": -1, "ifDescr": null, "address": null, "metrics": {}},
       "to": {"router": null, "hostName": "core", "systemId": null, "area": "49.0002",
              "ifIndex": null, "ifDescr": null, "address": "10.0.7.7", "metrics": {}},
       "type": "L2", "pseudoNodes": [], "status": "ambiguous", "candidates": ["C1", "C2"]},
      {"from": {"router": "R2", "hostName": "r2", "systemId": "0000.0000.0002", "area": "49.0001",
                "ifIndex": 6, "ifDescr": "Serial1/1", "address": null, "metrics": {}},
       "to": {"router": "R3", "hostName": "r3", "systemId": "0000.0000.0003", "area": "49.0002",
              "ifIndex": null, "ifDescr": null, "address": "10.0.23.3", "metrics": {}},
       "type": "L2", "pseudoNodes": [], "status": "one-sided", "candidates": []}
    ])"));

    // A report never given links still has the member, empty.
    const ordered_json bare = ordered_json::parse(Report(entity, false));
    EXPECT_EQ(Keys(bare), (std::vector<std::string>{"agent", "entities", "links"}));
    EXPECT_EQ(bare["links"], ordered_json::array());
}

} // namespace

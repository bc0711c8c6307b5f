// Error reports on standard error, their routing to the current entity's
// journal, and the base agent's relationship handling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CScoutAgent.h"
#include "CScoutEntity.h"
#include "CZanError.h"

namespace {

std::string Report(int code, const char* file, int line, const char* message) {
    testing::internal::CaptureStderr();
    CZanError(code, file, line, message);
    return testing::internal::GetCapturedStderr();
}

struct Recorder : CZanErrorListener {
    std::vector<int> codes;
    void ZELReport(int code, const char*, int, const char*) override { codes.push_back(code); }
};

} // namespace

TEST(ErrorReport, LineFormatOnStandardError) {
    struct Case {
        const char* message;
        const char* expected;
    } cases[] = {
        {nullptr, "error -220402 CScoutQuillonAgent:163\n"},
        {"Parsing failed", "error -220402 CScoutQuillonAgent:163 Parsing failed\n"},
        {"Invalid regular expression\n",
         "error -220402 CScoutQuillonAgent:163 Invalid regular expression\n"},
        {"two\nlines", "error -220402 CScoutQuillonAgent:163 two\nlines\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Report(-220402, "CScoutQuillonAgent", 163, c.message), c.expected);
}

TEST(ErrorReport, EntitiesRouteReportsToTheirJournalAndRestoreThePrevious) {
    Recorder outer;
    CZanErrorListener* saved = CZanError::ZESetListener(&outer);
    {
        CScoutEntity first("R1");
        first.SEBegin();
        first.SEBegin(); // a second begin changes nothing
        Report(-1, "A", 1, "with text");
        {
            CScoutEntity second("R2");
            second.SEBegin();
            Report(-2, "B", 2, nullptr);
        } // destroyed while active: ends itself
        Report(-3, "C", 3, "");
        const auto& errors = first.SEJournal().SEJErrors();
        ASSERT_EQ(errors.size(), 2u);
        EXPECT_EQ(errors[0].code, -1);
        EXPECT_EQ(errors[0].file, "A");
        EXPECT_EQ(errors[0].line, 1);
        EXPECT_TRUE(errors[0].hasMessage);
        EXPECT_EQ(errors[0].message, "with text");
        EXPECT_EQ(errors[1].code, -3);
        EXPECT_TRUE(errors[1].hasMessage);
        first.SEEnd();
        Report(-4, "D", 4, nullptr);
        EXPECT_EQ(errors.size(), 2u);
    }
    Report(-5, "E", 5, nullptr);
    EXPECT_EQ(outer.codes, (std::vector<int>{-4, -5}));
    EXPECT_EQ(CZanError::ZESetListener(saved), &outer);

    CScoutEntity quiet("R3");
    quiet.SEBegin();
    Report(-6, "F", 6, nullptr);
    ASSERT_EQ(quiet.SEJournal().SEJErrors().size(), 1u);
    EXPECT_FALSE(quiet.SEJournal().SEJErrors()[0].hasMessage);
    quiet.SEEnd();
    EXPECT_EQ(CZanError::ZESetListener(saved), saved);
}

TEST(BaseAgent, RelationshipKeysLandInTheJournalAndStoresAreTheRecords) {
    CScoutAgent agent;
    CScoutEntity entity("R1");
    CZanRecord* ne = &entity.SERecord();
    agent.SAAlternativeRelationshipLayer(ne, "m_IfIndex");
    const char* keys[] = {"a", nullptr, "b"};
    agent.SAAlternativeRelationshipLayer(ne, 3, keys);
    agent.SAAlternativeRelationshipLayer(nullptr, "lost");
    CZanRecord bare("R2");
    agent.SAAlternativeRelationshipLayer(&bare, "lost");
    EXPECT_EQ(entity.SEJournal().SEJRelationshipKeys(),
              (std::vector<std::string>{"m_IfIndex", "a", "b"}));

    EXPECT_EQ(agent.SAGetMediationData(ne), &entity.SEMediationData());
    EXPECT_EQ(agent.SAGetProcessedData(ne), &entity.SEProcessedData());
    EXPECT_EQ(agent.SAGetMediationData(nullptr), nullptr);
    EXPECT_EQ(agent.SAGetProcessedData(&bare), nullptr);
}

#include "records/documentfields.h"
#include "store/storetest.h"

namespace {

class DocumentFieldsTest : public StoreTest
{
protected:
    DocumentFieldStore fields { store };
};

QORU_BOTH_STORES(DocumentFieldsTest);

TEST_P(DocumentFieldsTest, KeepsTheFieldsOfEachEntryApart)
{
    auto a = ledger.recordEntry(Design());
    auto b = ledger.recordEntry(Design());
    ASSERT_TRUE(a && b);
    ASSERT_TRUE(
        fields.setFields(a->id, { { "委托单位", " 市政一公司 " }, { "浇筑方式", "泵送" } }));
    ASSERT_TRUE(fields.setFields(b->id, { { "抗渗等级", "P8" } }));
    // A second save replaces the first; a blank field is dropped.
    ASSERT_TRUE(fields.setFields(a->id, { { "委托单位", "市政一公司" }, { "浇筑方式", "  " } }));
    EXPECT_EQ(*fields.fields(a->id), (DocumentFieldMap { { "委托单位", "市政一公司" } }));
    EXPECT_EQ(*fields.fields(b->id), (DocumentFieldMap { { "抗渗等级", "P8" } }));
    EXPECT_EQ(*fields.entryByNumber(a->number), a->id);
    EXPECT_EQ(fields.entryByNumber("PB-1999-0001").error().code, StoreErrorCode::NotFound);
}

TEST_P(DocumentFieldsTest, RefusesAnIssuedEntryAndChangesNothing)
{
    auto a = ledger.recordEntry(Design());
    ASSERT_TRUE(a);
    ASSERT_TRUE(fields.setFields(a->id, { { "委托单位", "市政一公司" } }));
    ASSERT_TRUE(ledger.advance(a->id, EntryState::Reviewed, "李工"));
    ASSERT_TRUE(ledger.advance(a->id, EntryState::Issued, "李工"));
    auto refused = fields.setFields(a->id, { { "委托单位", "别的单位" } });
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code, StoreErrorCode::ReadOnly);
    EXPECT_EQ(*fields.fields(a->id), (DocumentFieldMap { { "委托单位", "市政一公司" } }));
    EXPECT_EQ(fields.setFields(a->id + 100, {}).error().code, StoreErrorCode::NotFound);
}

} // namespace

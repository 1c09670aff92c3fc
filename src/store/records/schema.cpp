#include "records/schema.h"

#include "records/dialect.h"

namespace {

// Numbers are exact decimal TEXT ('' when not given), dates 'yyyy-MM-dd',
// times 'yyyy-MM-dd HH:mm:ss' local: both sort as text on either database.
// `*_key` columns hold the lower-case text a search matches.
const std::vector<SchemaStep> kSteps = {
    { 1,
        {
            "CREATE TABLE schema (version INTEGER PRIMARY KEY, applied_at TEXT NOT NULL)",
            // The materials library: one row a material, its batches below it.
            "CREATE TABLE materials ("
            " id {id},"
            " kind TEXT NOT NULL,"
            " name TEXT NOT NULL,"
            " name_key TEXT NOT NULL,"
            " maker TEXT NOT NULL DEFAULT '',"
            " spec_text TEXT NOT NULL DEFAULT '',"
            " note TEXT NOT NULL DEFAULT '',"
            " variety TEXT NOT NULL DEFAULT '',"
            " grade TEXT NOT NULL DEFAULT '',"
            " size_range TEXT NOT NULL DEFAULT '',"
            " density TEXT NOT NULL DEFAULT '',"
            " strength28 TEXT NOT NULL DEFAULT '',"
            " fineness TEXT NOT NULL DEFAULT '',"
            " max_size TEXT NOT NULL DEFAULT '',"
            " solids TEXT NOT NULL DEFAULT '',"
            " water_reduction TEXT NOT NULL DEFAULT '',"
            " dosage TEXT NOT NULL DEFAULT '',"
            " deleted_at TEXT,"
            " UNIQUE (kind, name))",
            "CREATE INDEX materials_name ON materials (kind, name_key)",
            "CREATE TABLE batches ("
            " id {id},"
            " material_id BIGINT NOT NULL REFERENCES materials (id) ON DELETE CASCADE,"
            " batch_no TEXT NOT NULL,"
            " arrival_date TEXT NOT NULL DEFAULT '',"
            " report_no TEXT NOT NULL DEFAULT '',"
            " test_date TEXT NOT NULL DEFAULT '',"
            " density TEXT NOT NULL DEFAULT '',"
            " strength28 TEXT NOT NULL DEFAULT '',"
            " fineness TEXT NOT NULL DEFAULT '',"
            " max_size TEXT NOT NULL DEFAULT '',"
            " solids TEXT NOT NULL DEFAULT '',"
            " water_reduction TEXT NOT NULL DEFAULT '',"
            " dosage TEXT NOT NULL DEFAULT '',"
            " moisture TEXT NOT NULL DEFAULT '',"
            " active INTEGER NOT NULL DEFAULT 1,"
            " deleted_at TEXT,"
            " UNIQUE (material_id, batch_no))",
            "CREATE INDEX batches_arrival ON batches (material_id, arrival_date)",
        },
        {} },
    { 2,
        {
            // The design ledger. The list's columns stay in `entries`, small,
            // so listing and filtering never read the texts.
            "CREATE TABLE entries ("
            " id {id},"
            " number TEXT NOT NULL UNIQUE,"
            " kind TEXT NOT NULL,"
            " created_at TEXT NOT NULL,"
            " operator_name TEXT NOT NULL,"
            " state TEXT NOT NULL DEFAULT 'draft' CHECK (state IN ('draft', 'reviewed', 'issued')),"
            " grade TEXT NOT NULL DEFAULT '',"
            " water_binder TEXT NOT NULL DEFAULT '',"
            " verdict TEXT NOT NULL DEFAULT '',"
            " project TEXT NOT NULL DEFAULT '',"
            " part TEXT NOT NULL DEFAULT '',"
            " note TEXT NOT NULL DEFAULT '',"
            " search_key TEXT NOT NULL,"
            " parent_id BIGINT REFERENCES entries (id) ON DELETE SET NULL,"
            " revision_of BIGINT REFERENCES entries (id) ON DELETE SET NULL,"
            " revision_root BIGINT REFERENCES entries (id) ON DELETE SET NULL,"
            " revision INTEGER NOT NULL DEFAULT 0,"
            " in_bin INTEGER NOT NULL DEFAULT 0,"
            " deleted_at TEXT)",
            // Newest first, optionally of one kind and a date range; the text
            // filter then scans the index alone.
            "CREATE INDEX entries_list ON entries (in_bin, created_at, id, search_key)",
            "CREATE INDEX entries_kind ON entries (in_bin, kind, created_at, id, search_key)",
            "CREATE INDEX entries_parent ON entries (parent_id)",
            "CREATE INDEX entries_revision ON entries (revision_root)",
            "CREATE TABLE entry_texts ("
            " entry_id BIGINT PRIMARY KEY REFERENCES entries (id) ON DELETE CASCADE,"
            " inputs TEXT NOT NULL,"
            " figures TEXT NOT NULL,"
            " report TEXT NOT NULL)",
            // The batches a design used, with what the library said of them
            // then: a later edit of the library does not change an issued design.
            "CREATE TABLE entry_batches ("
            " entry_id BIGINT NOT NULL REFERENCES entries (id) ON DELETE CASCADE,"
            " role TEXT NOT NULL,"
            " batch_id BIGINT NOT NULL REFERENCES batches (id),"
            " snapshot TEXT NOT NULL,"
            " PRIMARY KEY (entry_id, role))",
            "CREATE INDEX entry_batches_batch ON entry_batches (batch_id)",
            // The audit outlives a purged entry: its number stays in the row.
            "CREATE TABLE audit ("
            " id {id},"
            " changed_at TEXT NOT NULL,"
            " user_name TEXT NOT NULL,"
            " entry_id BIGINT REFERENCES entries (id) ON DELETE SET NULL,"
            " entry_number TEXT NOT NULL,"
            " action TEXT NOT NULL,"
            " field TEXT NOT NULL DEFAULT '',"
            " old_value TEXT NOT NULL DEFAULT '',"
            " new_value TEXT NOT NULL DEFAULT '')",
            "CREATE INDEX audit_entry ON audit (entry_id)",
            "CREATE TABLE number_counters ("
            " counter_year INTEGER PRIMARY KEY,"
            " last_number INTEGER NOT NULL)",
        },
        {} },
    { 3,
        {
            // What a printed document says beyond the ledger (委托单位, 浇筑方式,
            // 抗渗等级 …): one row a field, so a new field needs no new step.
            "CREATE TABLE document_fields ("
            " entry_id BIGINT NOT NULL REFERENCES entries (id) ON DELETE CASCADE,"
            " field TEXT NOT NULL,"
            " value TEXT NOT NULL,"
            " PRIMARY KEY (entry_id, field))",
        },
        {} },
    { 4,
        {
            // Who made an entry (the login on a server), and a count of its
            // changes, so that an edit made on a stale copy can be refused.
            "ALTER TABLE entries ADD COLUMN owner_name TEXT NOT NULL DEFAULT ''",
            "ALTER TABLE entries ADD COLUMN row_version INTEGER NOT NULL DEFAULT 1",
            "ALTER TABLE entries ADD COLUMN changed_by TEXT NOT NULL DEFAULT ''",
            // A record sent from a local queue or copied from a local store
            // carries the key it had there: sent twice, it is kept once.
            "ALTER TABLE entries ADD COLUMN origin_key TEXT",
            "CREATE UNIQUE INDEX entries_origin ON entries (origin_key)",
            // Records waiting in a local store for the laboratory's server,
            // sent oldest first.
            "CREATE TABLE outbox ("
            " id {id},"
            " origin_key TEXT NOT NULL UNIQUE,"
            " server TEXT NOT NULL,"
            " queued_at TEXT NOT NULL,"
            " entry TEXT NOT NULL,"
            " last_error TEXT NOT NULL DEFAULT '')",
        },
        {
            "DO $$ BEGIN"
            " IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'qoru_tester') THEN"
            "  CREATE ROLE qoru_tester NOLOGIN; END IF;"
            " IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'qoru_reviewer') THEN"
            "  CREATE ROLE qoru_reviewer NOLOGIN IN ROLE qoru_tester; END IF;"
            " IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'qoru_admin') THEN"
            "  CREATE ROLE qoru_admin NOLOGIN IN ROLE qoru_reviewer; END IF;"
            " END $$",
            "ALTER TABLE entries ALTER COLUMN owner_name SET DEFAULT current_user",
            "GRANT USAGE ON SCHEMA public TO qoru_tester",
            "GRANT SELECT ON ALL TABLES IN SCHEMA public TO qoru_tester",
            "GRANT USAGE, SELECT ON ALL SEQUENCES IN SCHEMA public TO qoru_tester",
            "GRANT INSERT, UPDATE ON materials, batches, entries, number_counters TO qoru_tester",
            "GRANT INSERT ON entry_texts, entry_batches, audit TO qoru_tester",
            "GRANT INSERT, UPDATE, DELETE ON document_fields TO qoru_tester",
            // Only an administrator empties the 回收站.
            "GRANT DELETE ON materials, batches, entries, entry_texts, entry_batches"
            " TO qoru_admin",
            "GRANT UPDATE (entry_id) ON audit TO qoru_admin",
            "ALTER TABLE entries ENABLE ROW LEVEL SECURITY",
            "CREATE POLICY entries_read ON entries FOR SELECT USING (true)",
            "CREATE POLICY entries_make ON entries FOR INSERT"
            " WITH CHECK (owner_name = current_user)",
            // Who changes what is the trigger's to say, with a message, since
            // a policy would drop a refused update without a word.
            "CREATE POLICY entries_change ON entries FOR UPDATE USING (true)",
            "CREATE POLICY entries_purge ON entries FOR DELETE"
            " USING (in_bin = 1 AND pg_has_role(current_user, 'qoru_admin', 'MEMBER'))",
            "CREATE FUNCTION qoru_guard_entry() RETURNS trigger LANGUAGE plpgsql AS $$"
            " BEGIN"
            "  IF (SELECT rolsuper FROM pg_roles WHERE rolname = current_user) THEN"
            "   RETURN NEW; END IF;"
            "  NEW.owner_name := OLD.owner_name;"
            "  NEW.changed_by := current_user;"
            "  IF NEW.state <> OLD.state THEN"
            "   IF NOT pg_has_role(current_user, 'qoru_reviewer', 'MEMBER') THEN"
            "    RAISE EXCEPTION '只有审核人可以审核或下发配合比（台账记录 %）。', OLD.number"
            "     USING ERRCODE = '42501'; END IF;"
            "   IF OLD.owner_name = current_user THEN"
            "    RAISE EXCEPTION '台账记录 % 是您制单的，制单人不能审核或下发自己的配合比。',"
            "     OLD.number USING ERRCODE = '42501'; END IF;"
            "  ELSIF OLD.owner_name <> current_user"
            "   AND NOT pg_has_role(current_user, 'qoru_admin', 'MEMBER') THEN"
            "   RAISE EXCEPTION '台账记录 % 是 % 制单的，只有制单人可以修改它。',"
            "    OLD.number, OLD.owner_name USING ERRCODE = '42501';"
            "  END IF;"
            "  RETURN NEW;"
            " END $$",
            "CREATE TRIGGER entries_guard BEFORE UPDATE ON entries"
            " FOR EACH ROW EXECUTE FUNCTION qoru_guard_entry()",
            // Every change of the ledger is audited: the audit tells the other
            // programs on the server (LISTEN qoru_ledger) which entry changed.
            "CREATE FUNCTION qoru_tell_change() RETURNS trigger LANGUAGE plpgsql AS $$"
            " BEGIN PERFORM pg_notify('qoru_ledger', NEW.entry_number); RETURN NEW; END $$",
            "CREATE TRIGGER audit_tell AFTER INSERT ON audit"
            " FOR EACH ROW EXECUTE FUNCTION qoru_tell_change()",
        } },
    { 5,
        {
            // A queued record the server refused is set aside, kept with the
            // server's reason, so that the records behind it are still sent.
            "ALTER TABLE outbox ADD COLUMN set_aside_at TEXT",
        },
        {
            // A document's fields belong to the entry: only its maker (or an
            // administrator) writes them, as for the entry itself.
            "CREATE FUNCTION qoru_guard_fields() RETURNS trigger LANGUAGE plpgsql AS $$"
            " DECLARE eid BIGINT; num TEXT; own TEXT;"
            " BEGIN"
            "  IF (SELECT rolsuper FROM pg_roles WHERE rolname = current_user)"
            "   OR pg_has_role(current_user, 'qoru_admin', 'MEMBER') THEN"
            "   IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; RETURN NEW; END IF;"
            "  FOREACH eid IN ARRAY CASE TG_OP WHEN 'INSERT' THEN ARRAY[NEW.entry_id]"
            "   WHEN 'DELETE' THEN ARRAY[OLD.entry_id] ELSE ARRAY[OLD.entry_id, NEW.entry_id] END"
            "  LOOP"
            "   SELECT number, owner_name INTO num, own FROM entries WHERE id = eid;"
            "   IF own IS DISTINCT FROM current_user THEN"
            "    RAISE EXCEPTION '台账记录 % 是 % 制单的，只有制单人可以修改它的通知单内容。',"
            "     num, own USING ERRCODE = '42501'; END IF;"
            "  END LOOP;"
            "  IF TG_OP = 'DELETE' THEN RETURN OLD; END IF;"
            "  RETURN NEW;"
            " END $$",
            "CREATE TRIGGER document_fields_guard BEFORE INSERT OR UPDATE OR DELETE"
            " ON document_fields FOR EACH ROW EXECUTE FUNCTION qoru_guard_fields()",
        } },
};

} // namespace

const std::vector<SchemaStep>& SchemaSteps()
{
    return kSteps;
}

int LatestSchemaVersion()
{
    return kSteps.back().version;
}

std::vector<std::string> StepStatements(const SchemaStep& step, const Dialect& dialect)
{
    std::vector<std::string> statements;
    for (std::string sql : step.statements) {
        for (size_t at = sql.find("{id}"); at != std::string::npos; at = sql.find("{id}"))
            sql.replace(at, 4, dialect.idColumn);
        statements.push_back(sql);
    }
    if (dialect.logins)
        statements.insert(
            statements.end(), step.serverStatements.begin(), step.serverStatements.end());
    return statements;
}

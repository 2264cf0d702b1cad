// The multi-dialect query: texts, parameters, connection choice and the
// dataset that runs the query whenever it is opened.
#include "platform/sql/adoib_query.h"

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/data/client_data_set.h"
#include "platform/data/data_source.h"
#include "platform/sql/sql_parameters.h"

namespace zor::plat {

namespace {

std::shared_ptr<DbConnection>& DefaultConnectionSlot() {
  static std::shared_ptr<DbConnection> connection;
  return connection;
}

FieldType FieldTypeOf(VarType type) {
  switch (type) {
    case VarType::Integer: return FieldType::Integer;
    case VarType::Float: return FieldType::Float;
    case VarType::DateTime: return FieldType::DateTime;
    case VarType::Bool: return FieldType::Boolean;
    default: return FieldType::String;
  }
}

DataPacket ToPacket(SqlResult&& result) {
  DataPacket packet;
  packet.Fields.reserve(result.Columns.size());
  for (auto& col : result.Columns) packet.Fields.push_back({col.Name, FieldTypeOf(col.Type), col.Size, 0});
  packet.Rows = std::move(result.Rows);
  return packet;
}

}  // namespace

// The query's dataset: opening it, directly or through the query, runs the
// query, so a data source may activate it too.
class TADOIBQuery::QueryDataSet : public TClientDataSet {
 public:
  QueryDataSet(TADOIBQuery* query) : TClientDataSet(query), query_(query) { SetReadOnly(true); }

 protected:
  void InternalOpen() override { LoadPacket(query_->Fetch()); }

 private:
  TADOIBQuery* query_;
};

TADOIBQuery::TADOIBQuery(TComponent* owner) : TComponent(owner) {
  for (SqlText* text : {&SQL, &SQL_ORACLE, &SQL_MSSQL, &SQL_IB}) text->OnChange = [this] { TextChanged(); };
  dataset_ = new QueryDataSet(this);
}

TADOIBQuery::~TADOIBQuery() {
  for (SqlText* text : {&SQL, &SQL_ORACLE, &SQL_MSSQL, &SQL_IB}) text->OnChange = nullptr;
  SetDataSource(nullptr);
}

std::string TADOIBQuery::SqlFor(SqlDialect dialect) const {
  const SqlText* text = &SQL;
  switch (dialect) {
    case SqlDialect::Oracle: text = &SQL_ORACLE; break;
    case SqlDialect::MsSql: text = &SQL_MSSQL; break;
    case SqlDialect::InterBase:
    case SqlDialect::Sqlite:
    case SqlDialect::PostgreSql: text = &SQL_IB; break;
  }
  return (text->IsBlank() ? SQL : *text).Text();
}

void TADOIBQuery::SetDefaultConnection(std::shared_ptr<DbConnection> connection) {
  DefaultConnectionSlot() = std::move(connection);
}

std::shared_ptr<DbConnection> TADOIBQuery::DefaultConnection() { return DefaultConnectionSlot(); }

void TADOIBQuery::SetConnection(std::shared_ptr<DbConnection> connection) {
  if (connection != connection_) Close();
  connection_ = std::move(connection);
}

std::shared_ptr<DbConnection> TADOIBQuery::Connection() const {
  return connection_ ? connection_ : DefaultConnectionSlot();
}

void TADOIBQuery::TextChanged() {
  Close();
  // Names of the dialect texts join after those of SQL, so ParamByName
  // finds every name whichever text runs.
  std::vector<std::string> names;
  for (const SqlText* text : {&SQL, &SQL_IB, &SQL_ORACLE, &SQL_MSSQL})
    for (auto& name : SqlParameterNames(text->Text())) {
      bool seen = false;
      for (auto& n : names) seen = seen || SameText(n, name);
      if (!seen) names.push_back(name);
    }
  params_.Redeclare(names);
}

DataPacket TADOIBQuery::Fetch() {
  // The person reads these: they say what failed in their terms, not which
  // query of which form.
  auto connection = Connection();
  if (!connection)
    throw EDatabaseError(PlatformText("db.not_connected"));
  std::string sql = SqlFor(connection->Dialect());
  if (Trim(sql).empty())
    throw EDatabaseError(PlatformText("db.query_without_text", {Name().empty() ? std::string("SQL") : Name()}));
  SqlParams values;
  values.reserve(params_.Count());
  for (int i = 0; i < params_.Count(); ++i) values.push_back({params_.Items(i).Name(), params_.Items(i).Value()});
  try {
    return ToPacket(read_only_ ? connection->QueryReadOnly(sql, values) : connection->Query(sql, values));
  } catch (const EWriteRefused& e) {
    throw EWriteRefused(PlatformText("db.read_refused", {e.Message()}));
  } catch (const EDatabaseError& e) {
    throw EDatabaseError(PlatformText("db.read_failed", {e.Message()}));
  }
}

void TADOIBQuery::Open() { dataset_->Open(); }

void TADOIBQuery::Close() {
  if (dataset_) dataset_->Close();
}

bool TADOIBQuery::Active() const { return dataset_->Active(); }

void TADOIBQuery::SetActive(bool active) { active ? Open() : Close(); }

bool TADOIBQuery::IsEmpty() const { return !dataset_->Active() || dataset_->IsEmpty(); }

TField* TADOIBQuery::FieldByName(std::string_view name) const { return dataset_->FieldByName(name); }

TClientDataSet* TADOIBQuery::Query() const { return dataset_; }

void TADOIBQuery::SetDataSource(TDataSource* source) {
  if (source == data_source_) return;
  if (data_source_) RemoveFreeNotification(data_source_);
  data_source_ = source;
  if (data_source_) FreeNotification(data_source_);
}

void TADOIBQuery::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == data_source_) data_source_ = nullptr;
}

}  // namespace zor::plat

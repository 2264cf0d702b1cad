// `TADOIBQuery`: a read-only query that keeps one SQL text per database
// dialect, declares its parameters from the text and shows its rows through
// a client dataset (`Query()`) that data sources and persistent fields bind
// to. It runs on its own connection when given one, else on the
// process-wide default connection (the host's shared one).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/core/component.h"
#include "platform/data/data_packet.h"
#include "platform/sql/connection.h"
#include "platform/sql/param.h"
#include "platform/sql/sql_text.h"

namespace zor::plat {

class TClientDataSet;
class TDataSource;
class TField;

class TADOIBQuery : public TComponent {
 public:
  explicit TADOIBQuery(TComponent* owner = nullptr);
  ~TADOIBQuery() override;

  // One text per dialect; a blank dialect text runs `SQL`. Changing any of
  // them closes the query and declares the parameters again.
  SqlText SQL;
  SqlText SQL_ORACLE;
  SqlText SQL_MSSQL;
  SqlText SQL_IB;

  // The text this query runs on a database of the dialect. SQLite and
  // PostgreSQL run the InterBase-form text.
  std::string SqlFor(SqlDialect dialect) const;

  // The connection every query uses unless it has its own; the host sets it
  // (through its data module) when it opens its shared connection.
  static void SetDefaultConnection(std::shared_ptr<DbConnection> connection);
  static std::shared_ptr<DbConnection> DefaultConnection();
  // This query's own connection; null returns it to the default.
  void SetConnection(std::shared_ptr<DbConnection> connection);
  // The connection Open would use: its own, else the default (maybe null).
  std::shared_ptr<DbConnection> Connection() const;

  // Declared from the texts in order of first occurrence (`SQL` first, then
  // names only the dialect texts use); a name used twice is one parameter,
  // set once. Every parameter is a string, null until set.
  TParams& Params() { return params_; }
  TParam& ParamByName(std::string_view name) { return params_.ParamByName(name); }

  // Runs the dialect's text with the parameters and loads the rows into the
  // dataset. Does nothing when already open. A database error raises
  // EDatabaseError (a sentence naming the query, then the database's
  // message) and leaves the query closed.
  void Open();
  void Close();
  // A read-only query may not change the database (report definitions come
  // from files): Open then raises EWriteRefused for a statement that writes.
  void SetReadOnly(bool readOnly) { read_only_ = readOnly; }
  bool Active() const;
  void SetActive(bool active);
  // True when closed or without rows.
  bool IsEmpty() const;
  // The field of the dataset with this name, without regard to case;
  // raises EDatabaseError when absent.
  TField* FieldByName(std::string_view name) const;

  // The dataset holding the rows: data sources and persistent fields bind to it.
  TClientDataSet* Query() const;

  // The data source that shows this query's rows (a name for tools and the
  // form definition; the binding itself is the data source's DataSet).
  TDataSource* DataSource() const { return data_source_; }
  void SetDataSource(TDataSource* source);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  class QueryDataSet;
  void TextChanged();
  // Runs the text of the connection's dialect with the parameters.
  DataPacket Fetch();

  TParams params_;
  QueryDataSet* dataset_ = nullptr;
  TDataSource* data_source_ = nullptr;
  std::shared_ptr<DbConnection> connection_;
  bool loading_ = false;
  bool read_only_ = false;
};

}  // namespace zor::plat

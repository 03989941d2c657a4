#include "platform/indexed_pg.hpp"
#include "platform/storage.hpp"

namespace quarn::platform {

bool check_storage(const std::string& folder, std::string& report) {
  const StorageConfig config = storage_of_folder(folder);
  if (!config.error.empty()) {
    report = "storage: " + config.error + "\n";
    return false;
  }
  if (config.backend == Backend::kSqlite) {
    report = "backend: sqlite\nfiles: in " + folder + "\n";
    return true;
  }
  std::string words;
  const bool answers = PgIndexedFile::probe(config, words);
  report =
      "backend: postgresql\nconnection: " + PgIndexedFile::shown_connection(config.connection) +
      "\nschema: " + config.schema + "\n" +
      (answers ? "server: answers, " : "server: does not answer: ") + words + "\n";
  return answers;
}

}  // namespace quarn::platform

#include <iostream>
#include <string>
#include <string_view>

#include <quarn/quarn.hpp>

int main() {
  QuarnIxiostatRecord r;
  quarn::set_text(r.ix_status_code, "93");
  quarn::call("IXIOSTAT", r);
  std::string_view message = quarn::text(r.ix_status_message);
  std::string same = quarn::ixiostat("93");
  std::cout << message << '\n' << same << '\n';
  return message == same ? 0 : 1;
}

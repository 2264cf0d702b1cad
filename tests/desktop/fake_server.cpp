// A stand-in for the application server in the demo tests: records its
// arguments, listens where --listen says, accepts connections until killed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  std::string listen;
  if (const char* out = std::getenv("FAKE_SERVER_ARGS")) {
    if (FILE* f = std::fopen(out, "w")) {
      for (int i = 1; i < argc; ++i) std::fprintf(f, "%s\n", argv[i]);
      std::fprintf(f, "pid=%d\n", static_cast<int>(getpid()));
      std::fclose(f);
    }
  }
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--listen") == 0) listen = argv[i + 1];
  if (std::getenv("FAKE_SERVER_FAIL")) return 3;
  const auto colon = listen.rfind(':');
  if (colon == std::string::npos) return 2;
  const int port = std::atoi(listen.c_str() + colon + 1);
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0) return 1;
  for (;;) {
    int c = accept(fd, nullptr, nullptr);
    if (c >= 0) close(c);
  }
}

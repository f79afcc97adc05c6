// vellumine-convert: the command-line converter, for scripts and servers.
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/convert_job.h"
#include "formats/picture_error.h"

int main(int argc, char** argv) {
  using namespace vellumine;
  constexpr int kFileFailure = 1, kUsageFailure = 2;
  const std::vector<std::string> arguments(argv + 1, argv + argc);

  ConvertRequest request;
  try {
    request = ParseCommandLine(arguments);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "vellumine-convert: %s\n\n%s", error.what(), kUsage);
    return kUsageFailure;
  }
  if (request.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }

  const ConvertJob job{
      request.photo,   request.output, request.Settings(),
      request.texture, request.layout, request.type.value_or(OutputTypeFromName(request.output))};
  try {
    RunConvertJob(job);
  } catch (const PictureFileError& error) {
    std::fprintf(stderr, "vellumine-convert: %s: %s\n", error.Path().c_str(),
                 error.Reason().c_str());
    return kFileFailure;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "vellumine-convert: %s: not enough memory\n", request.photo.c_str());
    return kFileFailure;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vellumine-convert: %s: %s\n", request.photo.c_str(), error.what());
    return kFileFailure;
  }
  return 0;
}

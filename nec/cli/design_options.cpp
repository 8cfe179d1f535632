#include "nec/cli/design_options.hpp"

#include "nec/cli/outputs.hpp"
#include "nec/host/posix/file_output.hpp"

namespace DesignOptions {
namespace {

// The command line's own options: the outputs (nec/cli/outputs.hpp), each
// a file to write but the one without a writer, --json, which takes the
// screen's place; and the program's switches.
struct OwnOption {
  std::string_view name;
  bool Options::*flag = nullptr;  // none for an output's file
};

constexpr OwnOption kSwitches[] = {
    {"--help", &Options::help},
    {"--version", &Options::version},
};

// The analyser's file that holds the measurement: a value of the design's
// as the command line alone gives it.
constexpr std::string_view kMeasuredFileOption = "--s1p";

std::optional<OwnOption> ownOption(std::string_view name) {
  for (const OwnOption& option : kSwitches) {
    if (option.name == name) return option;
  }
  if (const Outputs::Output* output = Outputs::named(name)) {
    return OwnOption{output->option, output->write ? nullptr : &Options::json};
  }
  return std::nullopt;
}

// The design value an option names ("--tip" names tip), none for another.
std::optional<DesignValues::Kind> designKind(std::string_view name) {
  if (!name.starts_with("--")) return std::nullopt;
  return DesignValues::kindOf(name.substr(2));
}

// One option and its value, from "--name value" or "--name=value". Returns
// how many arguments it took, or the error.
std::variant<size_t, Error> takeOption(std::span<const std::string_view> arguments,
                                       Options& options) {
  std::string_view name = arguments[0];
  std::optional<std::string_view> value;
  if (const size_t equals = name.find('='); name.starts_with("--") && equals != name.npos) {
    value = name.substr(equals + 1);
    name = name.substr(0, equals);
  }
  if (name == kMeasuredFileOption) {
    if (!value && arguments.size() < 2) return Error{Problem::missingValue, std::string(name), {}};
    options.measuredFile = std::string(value ? *value : arguments[1]);
    if (options.measuredFile->empty()) return Error{Problem::missingValue, std::string(name), {}};
    return size_t{value ? 1u : 2u};
  }
  const std::optional<DesignValues::Kind> kind = designKind(name);
  const std::optional<OwnOption> own = ownOption(name);
  const bool flag = kind ? *kind == DesignValues::Kind::flag : own && own->flag;
  if ((!kind && !own) || (flag && value)) {
    return Error{Problem::unknownOption, std::string(arguments[0]), {}};
  }
  if (flag && own) {
    options.*own->flag = true;
    return size_t{1};
  }
  size_t taken = 1;
  if (!flag && !value) {
    if (arguments.size() < 2) return Error{Problem::missingValue, std::string(name), {}};
    value = arguments[1];
    taken = 2;
  }
  if (own) {
    if (value->empty()) return Error{Problem::missingValue, std::string(name), {}};
    options.files[own->name] = *value;
    return taken;
  }
  if (auto error = DesignValues::setWritten(options, name.substr(2), value)) {
    return *error;
  }
  return taken;
}

// Whether the program may write the file: its folder must take new files,
// or a device or pipe must let this user write it.
std::optional<Error> checkFile(const std::string& file) {
  if (file.empty()) return std::nullopt;
  switch (FileOutput::obstacleTo(file)) {
    case FileOutput::Obstacle::none: return std::nullopt;
    case FileOutput::Obstacle::folder: return Error{Problem::fileNotWritable, file, "is a folder"};
    case FileOutput::Obstacle::noFolder: return Error{Problem::fileNotWritable, file, "no folder"};
    case FileOutput::Obstacle::readOnlyFolder:
      return Error{Problem::fileNotWritable, file, "read-only"};
    case FileOutput::Obstacle::readOnlyFile:
      return Error{Problem::fileNotWritable, file, "read-only file"};
    case FileOutput::Obstacle::loop: return Error{Problem::fileNotWritable, file, "link loop"};
  }
  return std::nullopt;
}

}  // namespace

std::variant<Options, Error> parse(std::span<const std::string_view> arguments) {
  Options options;
  while (!arguments.empty()) {
    std::variant<size_t, Error> taken = takeOption(arguments, options);
    if (Error* error = std::get_if<Error>(&taken)) return *error;
    arguments = arguments.subspan(std::get<size_t>(taken));
  }
  if (std::optional<Error> error = DesignValues::checkTogether(options)) return *error;
  return options;
}

bool readsMeasurementOnly(const Options& o) {
  return o.measuredFile && !o.lengthM && !o.diameterMm && !o.tipM && !o.base;
}

std::optional<Error> checkFiles(const Options& o) {
  for (const Outputs::Output& output : Outputs::all()) {
    const auto asked = o.files.find(output.option);
    if (asked == o.files.end()) continue;
    if (std::optional<Error> error = checkFile(asked->second)) return error;
  }
  return std::nullopt;
}

}  // namespace DesignOptions

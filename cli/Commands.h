// The subcommands of linkhive-cli.
#pragma once

// The subcommands of linkhive-cli, one function each; main.cpp's table maps
// the names to them. Each returns the exit status (kCliOk, kCliFailed or
// kCliUsage) and writes its messages to stderr.

struct CliArgs;

// StoreCommands.cpp: the data file.
int CliDump(const CliArgs& args);
int CliConvert(const CliArgs& args);
int CliStats(const CliArgs& args);
int CliFind(const CliArgs& args);
int CliOpen(const CliArgs& args);
int CliDuplicates(const CliArgs& args);
int CliMerge(const CliArgs& args);

// BackupCommands.cpp: the versions the saves have kept.
int CliBackups(const CliArgs& args);
int CliRestore(const CliArgs& args);

// CheckCommands.cpp: which bookmarks still answer.
int CliCheck(const CliArgs& args);

// ImportCommands.cpp: the imports.
int CliImportHtml(const CliArgs& args);
int CliImportCsv(const CliArgs& args);
int CliImportMbx(const CliArgs& args);
int CliImportNetscape(const CliArgs& args);
int CliImportChromium(const CliArgs& args);
int CliImportFirefox(const CliArgs& args);
int CliImportXbel(const CliArgs& args);

// ExchangeCommands.cpp: shortcut files and pages.
int CliImportFolder(const CliArgs& args);
int CliDrop(const CliArgs& args);
int CliExportHtml(const CliArgs& args);
int CliExportGroupHtml(const CliArgs& args);
int CliExportNetscape(const CliArgs& args);
int CliExportXbel(const CliArgs& args);
int CliExportChromium(const CliArgs& args);
int CliWriteUrl(const CliArgs& args);

// A host session for the commands that play actions into documents (`orvelk
// replay`, `orvelk batch`, and `orvelk place`'s filter run): the plug-ins
// loaded once and started, and what the host tells the user on standard
// error.
#pragma once

#include <cstdio>
#include <string>

#include "standin/app/host_session.h"
#include "standin/app/host_command.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/document/documents.h"

class PlaySession {
  public:
    // Begins the host session; the transcript goes to `err` as `command`'s,
    // but for the showing of `host.quietDialog`.
    PlaySession(const char* command, const HostCommandOptions& host, FILE* err);
    // Ends the session.
    ~PlaySession();

    PlaySession(const PlaySession&) = delete;
    PlaySession& operator=(const PlaySession&) = delete;

    // Loads and starts the plug-ins of the application folder. Returns true
    // to go on, else false with a message: a module was skipped, a plug-in
    // failed to start, none was found, or (when `event` is given) no plug-in
    // registered that action event.
    bool Start(const char* event = nullptr);

    // Plays `action` ("Do Action" with its values and dialog status) into
    // `document`, which becomes the current one. The plug-in's dialogs during
    // it are not printed: the command reports a failure itself. Returns the
    // plug-in's result.
    ASErr Play(const standin::RecordedAction& action, standin::Document* document);

  private:
    const char* command_;
    FILE* err_;
    bool playing_ = false;
    int32_t quietDialog_ = 0;
    standin::HostSession session_;
};

// The name of the document numbered `number` ("Untitled-1"), the same in a
// batch and its replay.
std::string PlayDocumentName(long number);

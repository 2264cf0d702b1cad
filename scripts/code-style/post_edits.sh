#!/bin/bash
# Edits made after the namespace pass. Each is idempotent.
set -euo pipefail

# The form classes the generator writes bindings for, by their full names.
perl -pi -e 's{^(zor_form_members\(\S+ \S+ )plat::}{${1}zor::plat::}' platform/forms/CMakeLists.txt
perl -pi -e 's{^(zor_form_members\(\S+ \S+ )(T\w+ )}{${1}zor::Cli_zor12200::$2}' flight_screen/CMakeLists.txt
perl -pi -e 's{^(zor_form_members\(\S+ \S+ )(T\w+ )}{${1}zor::Cli_zor12201::$2}' report/CMakeLists.txt

# The screen instance keeps the plain symbol name the hosts look up.
perl -0pi -e 's{// The one screen instance; valid only while Cli_zor12200::boStCriado is true \(not cleared at close\)\.\nextern TfrmVoo\* frmVoo;}{// The one screen instance; valid only while boStCriado is true (not cleared\n// at close). A host reads it by name (dlsym), so it has C linkage.\nextern "C" TfrmVoo* frmVoo;}' \
  flight_screen/screen_state.h

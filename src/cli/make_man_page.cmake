# Writes zavtool.1 from the tool's own help, so the manual page says what --help says.
#   cmake -DZAVTOOL=path/to/zavtool -DOUTPUT=zavtool.1 -DVERSION=x.y -DDATE=yyyy-mm-dd -P make_man_page.cmake
foreach(variable ZAVTOOL OUTPUT VERSION DATE)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "make_man_page.cmake needs -D${variable}=...")
  endif()
endforeach()

# Help text as roff: backslashes escaped, and a line that starts with a dot or a quote is not
# taken for a request.
function(as_roff text result)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

function(help_of subcommand result)
  execute_process(COMMAND "${ZAVTOOL}" help ${subcommand} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "zavtool help ${subcommand} failed")
  endif()
  as_roff("${text}" text)
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND "${ZAVTOOL}" --help OUTPUT_VARIABLE overview RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zavtool --help failed")
endif()
# The overview is the introduction, the usage lines and the conventions, blank-line apart.
string(FIND "${overview}" "\nusage: " usage_start)
string(FIND "${overview}" "\n\n" conventions_start REVERSE)
string(SUBSTRING "${overview}" 0 ${usage_start} introduction)
math(EXPR usage_length "${conventions_start} - ${usage_start} - 1")
math(EXPR usage_begin "${usage_start} + 1")
string(SUBSTRING "${overview}" ${usage_begin} ${usage_length} synopsis)
math(EXPR conventions_begin "${conventions_start} + 2")
string(SUBSTRING "${overview}" ${conventions_begin} -1 conventions)
string(REGEX REPLACE "^zavtool - [^\n]*\n" "" introduction "${introduction}")
string(REGEX REPLACE "^usage: " "" synopsis "${synopsis}")
string(REGEX REPLACE "\n       " "\n" synopsis "${synopsis}")
foreach(part introduction synopsis conventions)
  as_roff("${${part}}" ${part})
endforeach()

set(page ".TH ZAVTOOL 1 \"${DATE}\" \"zav ${VERSION}\" \"User Commands\"
.SH NAME
zavtool \\- the ZAV device programmer's engine on the command line
.SH SYNOPSIS
.nf
${synopsis}
.fi
.SH DESCRIPTION
.nf
${introduction}.fi
.SH CONVENTIONS
.nf
${conventions}.fi
.SH SUBCOMMANDS
")
foreach(subcommand devices ports detect convert dump export read program blank-check compare checksum)
  help_of(${subcommand} text)
  string(APPEND page ".SS ${subcommand}\n.nf\n${text}.fi\n")
endforeach()
string(APPEND page ".SH FILES
.TP
.I $XDG_CONFIG_HOME/zav/zozadav.ini
The settings file of the window (default folder ~/.config/zav): LPT_PORT, COM_PORT and
LPT_DELAY give read and program their port and timing. A value that cannot be read stops
the run before any port (exit 2); a key given again takes its last line's value.
.TP
.I $XDG_CONFIG_HOME/zav/ports
The ports map, one NAME=TARGET line per port: LPT1\\-LPT3 or COM1\\-COM8, and a device path
or the word simulator. A map that exists but cannot be read stops read, program and ports
before any port is opened (exit 2).
.TP
.I $XDG_STATE_HOME/zav/serial\\-DEVICE.state
The next serial number of program \\-\\-serial and the numbers failed parts gave back
(default folder ~/.local/state), locked while a run takes a number; \\-\\-serial\\-state
names another.
.TP
.I $XDG_DATA_HOME/zav/backups
The backups a program run takes before it writes a part (default folder
~/.local/share/zav/backups), one DEVICE\\-yyyymmdd\\-hhmmss.zef file each, the newest 200 per
device by the time taken, then the same\\-second counter.
.SH EXAMPLES
.nf
zavtool convert app.hex app.s19
srec_cat app.s19 \\-o \\- \\-intel | zavtool convert \\- app.zef
zavtool program \\-\\-device MC68HC11E9 \\-\\-in app.s19 \\-\\-clear FF \\-\\-erase \\-\\-program \\-\\-verify \\-\\-yes
zavtool program \\-\\-device MC68HC05B6 \\-\\-in app.s19 \\-\\-clear FF \\-\\-erase \\-\\-program \\-\\-verify \\\\
        \\-\\-port LPT1,LPT2 \\-\\-serial 0x01F0:3:1:bcd \\-\\-log bench.jsonl \\-\\-repeat
zavtool read \\-\\-device MC68HC11E9 \\-\\-simulate \\-\\-out \\- | zavtool dump \\- \\-\\-range 0xB600:0xB7FF
zavtool compare old.zef new.s19 \\-\\-device MC68HC11E9
zavtool checksum app.s19 \\-\\-device MC68HC11E9
.fi
.SH SEE ALSO
.BR zavprog (1),
.BR srec_cat (1)
")
file(WRITE "${OUTPUT}" "${page}")

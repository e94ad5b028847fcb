#!/bin/sh
# The core library keeps no state of its own and never talks to the terminal or moves the
# process: every record lives in the Game, warnings go to the platform's diagnostics, and content
# names are resolved against the platform's content root. Fails naming what it found.
# Usage: core_shape.sh LIBVELORIA_CORE.a
lib=$1
status=0
# Writable objects (.data, .bss and their per-symbol sections; not .data.rel.ro, which is
# read-only once loaded) and the guards of function-local statics. The sanitizers' own markers
# (AddressSanitizer's one-definition-rule flags, coverage counters) are not the core's state.
state=$(objdump -t "$lib" | awk '$0 ~ / O \.(data|bss)/ && $0 !~ /\.data\.rel\.ro/ {print $NF}
                                  $NF ~ /^_ZGV/ {print $NF}' |
        grep -vE '^(__odr_asan|___?asan|__sancov|__ubsan)' | sort -u)
if [ -n "$state" ]; then
    echo "mutable state in the core:"; echo "$state" | c++filt; status=1
fi
io=$(nm -u "$lib" | awk '{print $2}' | grep -xE 'stderr|stdout|printf|fprintf|vfprintf|puts|fputs|perror|chdir|fchdir|getcwd|_ZSt4cerr|_ZSt4cout|_ZSt4clog' | sort -u)
if [ -n "$io" ]; then
    echo "the core uses the terminal or the working directory:"; echo "$io"; status=1
fi
exit $status

#!/bin/sh
# check_exports.sh LIB "NAMES" [LIB "NAMES"]...: each library exports
# exactly the named functions, nothing more.
status=0
while [ $# -ge 2 ]; do
  lib=$1 want=$(echo "$2" | tr ' ' '\n' | sort)
  shift 2
  have=$(nm -D --defined-only "$lib" | awk '{print $3}' | sort)
  if [ "$have" != "$want" ]; then
    echo "$lib exports:"; echo "$have"; echo "expected:"; echo "$want"
    status=1
  fi
done
exit $status

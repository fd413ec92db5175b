# Sourced by the scripts: what this machine can run.
#
# Some x86-64 machines run 64-bit user code only: their kernel refuses every 32-bit program,
# so the 32-bit Wine loader and the 32-bit Windows tests cannot run there, while the 64-bit
# loader runs 64-bit Windows programs as usual. QV_FORCE_NO_32BIT=1 takes that path on any
# machine, to try it.

# Succeeds when this machine can execute 32-bit x86 programs.
qv_can_run_32bit() {
  [[ ${QV_FORCE_NO_32BIT:-0} == 0 ]] || return 1
  [[ -x /lib/ld-linux.so.2 ]] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# Prints one line saying what the machine can run, for the start of a script's output.
qv_report_32bit() {
  if qv_can_run_32bit; then
    echo "This machine can execute 32-bit x86 code: both Windows builds run under Wine."
  elif [[ ${QV_FORCE_NO_32BIT:-0} != 0 ]]; then
    echo "QV_FORCE_NO_32BIT is set: acting as a machine that cannot execute 32-bit x86 code."
  else
    echo "This machine cannot execute 32-bit x86 code (its kernel refuses 32-bit programs):" \
      "the 32-bit Windows build is built and checked but not run; the 64-bit one runs under wine64."
  fi
}

# Sourced by the Wine harness: a private, quiet Wine under the build tree, never the
# user's own prefix or home.
harness_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_root=$(cd "$harness_dir/../../.." && pwd)
export PARCELKIT_WINE_ROOT=${PARCELKIT_WINE_ROOT:-$repo_root/build/wine}
export WINEPREFIX=$PARCELKIT_WINE_ROOT/prefix
export HOME=$PARCELKIT_WINE_ROOT/home
export XDG_DATA_HOME=$HOME/.local/share
export XDG_CONFIG_HOME=$HOME/.config
export XDG_CACHE_HOME=$HOME/.cache
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko prompts; no menu entries or .desktop files from links we create.
# PARCELKIT_DLL_OVERRIDES adds a run's own, such as version=n,b to have Wine prefer a
# version.dll found beside a program, as Windows does.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${PARCELKIT_DLL_OVERRIDES:+;$PARCELKIT_DLL_OVERRIDES}"
# A fixed locale (Wine reads it as English, 0409): the installer picks its language
# section from it.
export LANG=C.UTF-8
unset LC_ALL
unset DISPLAY
# The loader for the programs under test: the x86-64 build on machines without 32-bit code.
export PARCELKIT_WINE_BITS=${PARCELKIT_WINE_BITS:-$("$harness_dir/windows-bits.sh")}
if [[ $PARCELKIT_WINE_BITS == 32 ]]; then
    wine_loader=wine
else
    wine_loader=/usr/lib/wine/wine64
fi

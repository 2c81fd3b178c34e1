#!/usr/bin/env bash
# Instala los paquetes de Debian que faltan; no dice nada si ya están todos.
set -euo pipefail

paquetes=(
  build-essential cmake clang libclang-rt-14-dev libomp-14-dev
  libeigen3-dev freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri
  libgtest-dev libsuitesparse-dev libopenblas-dev
  xvfb xauth xdotool imagemagick
)

faltan=()
for p in "${paquetes[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    faltan+=("$p")
  fi
done

if [ ${#faltan[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Instalando: ${faltan[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${faltan[@]}" >/dev/null
fi

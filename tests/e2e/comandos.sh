#!/usr/bin/env bash
# Sesión con el programa real: comandos escritos, teclas directas, teclas de
# función y recarga con F5 del archivo editado; Esc, "exit" y "salir" terminan
# con estado 0. Una captura por paso en $SESION_DIR/capturas
# (SESION_CONSERVAR=1 para mirarlas).
# Uso: comandos.sh PROGRAMA CARPETA_EJEMPLOS
set -uo pipefail
source "$(dirname "$0")/lib/sesion.sh"

sesion_preparar "$@"

# Línea de comandos (abajo a la izquierda; cuenta solo su texto verde: el
# modelo puede pasar por detrás) y escena sin el panel
LINEA="600x60+0+740"
VERDE="#00ff00"
ESCENA="760x560+100+130"

sesion_abrir_ejemplo ingresoDatos.txt 8
captura inicio; inicio="$ultima"

# Escribir no ejecuta: solo cambia la línea de comandos
sesion_escribir "tagNudos"
captura escrito
debe_cambiar "$inicio" "$ultima" "tagNudos escrito" "$LINEA" "$VERDE"
debe_igualar "$inicio" "$ultima" "tagNudos escrito, escena" "$ESCENA"

sesion_tecla Return
captura tagNudos; tags="$ultima"
debe_cambiar "$inicio" "$ultima" "tagNudos ejecutado" "$ESCENA"
ingrese="$ultima"  # línea: "Ingrese Comando:" y la línea vacía

# Un comando que no existe deja la respuesta anterior y vacía la línea
sesion_comando "PlotDef"
captura sin_coincidencia
debe_igualar "$tags" "$ultima" "comando sin coincidencia"

# '+' con Shift agranda el texto; '+' del teclado numérico sin diagrama, nada
sesion_tecla shift+plus
captura texto_mayor; mayor="$ultima"
debe_cambiar "$tags" "$ultima" "Shift+'+'" "$ESCENA"
sesion_tecla KP_Add KP_Subtract
captura sin_diagrama
debe_igualar "$mayor" "$ultima" "'+' y '-' sin diagrama"
# En el teclado principal de EE. UU. Shift+'-' da '_': achica el texto y no
# se escribe en la línea; Shift+'=' da '+' con Shift y lo agranda otra vez
sesion_tecla shift+minus
captura texto_vuelta
debe_igualar "$tags" "$ultima" "Shift+'-' tras Shift+'+'"
sesion_tecla shift+equal
captura texto_mayor_otra_vez
debe_igualar "$mayor" "$ultima" "Shift+'='"

# Análisis, combo ELU con sus dos Enter, y diagrama axial
sesion_clic 930 727
captura calculado; calculado="$ultima"
debe_cambiar "$mayor" "$ultima" "Calcular"
sesion_comando "combo"
captura pregunta_combo; pregunta="$ultima"
debe_cambiar "$calculado" "$ultima" "pregunta del combo" "$LINEA" "$VERDE"
sesion_comando "ELU"
captura combo_elu
debe_cambiar "$pregunta" "$ultima" "respuesta del combo" "$LINEA" "$VERDE"
sesion_comando "plotN"
captura axial; axial="$ultima"
debe_cambiar "$pregunta" "$ultima" "plotN" "$ESCENA"

# '+' sin Shift agranda el diagrama; '-' lo devuelve
sesion_tecla KP_Add KP_Add KP_Add
captura axial_mayor; axial_mayor="$ultima"
debe_cambiar "$axial" "$ultima" "'+' con el axial" "$ESCENA"
sesion_tecla KP_Subtract KP_Subtract KP_Subtract
captura axial_vuelta
debe_cambiar "$axial_mayor" "$ultima" "'-' con el axial" "$ESCENA"
debe_igualar "$axial" "$ultima" "'+' y '-' tres veces"
# Lo mismo con el teclado principal de EE. UU.: '=' (la tecla + sin Shift) y '-'
sesion_tecla equal equal equal
captura axial_mayor_igual
debe_igualar "$axial_mayor" "$ultima" "'=' con el axial"
sesion_tecla minus minus minus
captura axial_vuelta_menos
debe_igualar "$axial" "$ultima" "'=' y '-' tres veces"

# Alt+c: ortogonal en seguida, y de vuelta a perspectiva
sesion_tecla alt+c
captura ortogonal
debe_cambiar "$axial" "$ultima" "Alt+c" "$ESCENA"
sesion_tecla alt+c
captura perspectiva
debe_igualar "$axial" "$ultima" "Alt+c dos veces"

# Alt+t, Alt+f, Alt+n: números, líneas internas, esferas
anterior="$axial"
for t in t f n; do
    sesion_tecla "alt+$t"
    captura "alt_$t"
    debe_cambiar "$anterior" "$ultima" "Alt+$t" "$ESCENA"
    anterior="$ultima"
done
sesion_tecla alt+t alt+f alt+n
captura alt_deshecho
debe_igualar "$axial" "$ultima" "Alt+t, f, n dos veces"

# Ayudas: F1 cartel; F12 cuatro páginas y ninguna
sesion_tecla F1
captura ayuda
debe_cambiar "$axial" "$ultima" "F1"
sesion_tecla F12
captura ayuda_pagina1
debe_cambiar "$axial" "$ultima" "F12"
sesion_tecla F12 F12 F12 F12
captura ayuda_ninguna
debe_igualar "$axial" "$ultima" "F12 hasta ninguna página"

# Vistas fijas y teclas sin tarea
for f in F2 F3 F4; do
    sesion_tecla "$f"
    captura "vista_$f"
    debe_cambiar "$axial" "$ultima" "$f" "$ESCENA"
    vista="$ultima"
done
sesion_tecla F6 F7 F8 F9 F10 F11 Left Up Right Down
captura sin_tarea
debe_igualar "$vista" "$ultima" "teclas sin tarea"

# Aislar las barras 5 y 6 (dos Enter)
sesion_comando "aislar"
sesion_comando "5 6"
captura aisladas
debe_cambiar "$vista" "$ultima" "aislar 5 6" "$ESCENA"

# Pregunta del combo pendiente, archivo editado y F5
sesion_comando "combo"
captura antes_recarga; antes="$ultima"
debe_igualar "$pregunta" "$ultima" "pregunta del combo otra vez" "$LINEA" "$VERDE"
# Ortogonal y dos pasos de rueda: F5 debe volver a la perspectiva y a la cámara de inicio
sesion_tecla alt+c
sesion_clic 500 400 4
sesion_clic_directo 500 400 4
captura ortogonal_zoom
debe_cambiar "$antes" "$ultima" "ortogonal con zoom" "$ESCENA"
# Un nudo de cumbrera y cuatro barras nuevas en las tablas
sesion_recargar_cumbrera "$SESION_EJEMPLOS/ingresoDatos.txt"
captura recarga; recarga="$ultima"
debe_igualar "$antes" "$ultima" "la pregunta sigue tras F5" "$LINEA" "$VERDE"
debe_cambiar "$inicio" "$ultima" "modelo nuevo tras F5" "$ESCENA"
# El siguiente Enter responde la pregunta pendiente
sesion_comando "SERV"
captura combo_tras_recarga
debe_cambiar "$recarga" "$ultima" "respuesta tras F5" "$LINEA" "$VERDE"

# Esc a mitad de un comando termina con estado 0
sesion_escribir "plo"
sesion_tecla Escape
sesion_fin_correcto "Esc"

# "exit" y "salir" también. Al arrancar sobre el archivo editado se ve lo
# mismo que tras F5 salvo la línea de comandos: flags, cámara, proyección,
# escalas y aislamiento volvieron al arranque
ARRIBA="1000x740+0+0"
for palabra in exit salir; do
    sesion_abrir modelo.txt 12
    captura "arranque_$palabra"
    debe_igualar "$recarga" "$ultima" "F5 igual al arranque" "$ARRIBA"
    sesion_comando "$palabra"
    sesion_fin_correcto "\"$palabra\""
done
echo "comandos: OK"

#!/usr/bin/env bash
# Sesión completa como la haría un usuario nuevo: "Calcular", todos los botones
# de resultados con el combo ELU, los mismos resultados escritos con el combo
# SERV (con el texto de cada respuesta), los dos combos superpuestos, ratón,
# tamaño de ventana, F5 sobre una copia editada y Esc con estado 0. Después,
# archivos rotos: inexistente (que se crea y se recarga con F5), vacío, con
# basura y una estructura inestable.
# Una captura por paso en $SESION_DIR/capturas (SESION_CONSERVAR=1 para mirarlas).
# Uso: sesion_completa.sh PROGRAMA CARPETA_EJEMPLOS
set -uo pipefail
source "$(dirname "$0")/lib/sesion.sh"

sesion_preparar "$@"

# contar IMAGEN RECORTE COLOR: píxeles del recorte (AxB+X+Y) de ese color,
# con una tolerancia pequeña
contar() {
    local an al total distintos
    an="${2%%x*}"
    al="${2#*x}"; al="${al%%+*}"
    total=$((an * al))
    distintos="$(convert "$1" -crop "$2" +repage miff:- |
        compare -metric AE -fuzz 4% - -size "${an}x${al}" "xc:$3" null: 2>&1 | cut -d' ' -f1)"
    echo $((total - ${distintos%%.*}))
}

# al_menos N MOTIVO IMAGEN RECORTE COLOR / a_lo_sumo N MOTIVO IMAGEN RECORTE COLOR
al_menos() {
    local n
    n="$(contar "$3" "$4" "$5")"
    [ "$n" -ge "$1" ] || sesion_falla "$2: $n píxeles $5 en $4, se esperaban $1 o más ($(basename "$3"))"
}
a_lo_sumo() {
    local n
    n="$(contar "$3" "$4" "$5")"
    [ "$n" -le "$1" ] || sesion_falla "$2: $n píxeles $5 en $4, se esperaban $1 o menos ($(basename "$3"))"
}

# Colores de la ventana
GRIS="rgb(127,127,127)"          # barras con sección
CARA_ON="rgb(76,76,0)"           # cara de un botón encendido
CARA_OFF="rgb(25,25,0)"          # cara de un botón apagado
VERDE="rgb(0,255,0)"             # línea de comandos y combos encendidos
declare -A COLOR=(
    [carga]="rgb(204,51,51)"     # fuerzas en nudos
    [reaccion]="rgb(255,0,0)"
    [deflexion]="rgb(0,178,178)"
    [N]="rgb(0,51,178)"
    [Vy]="rgb(127,127,0)"
    [My]="rgb(178,51,0)"
    [Vz]="rgb(127,127,0)"
    [Mz]="rgb(178,51,0)"
    [T]="rgb(252,127,252)"
)
# Botones del panel: posición y del botón (x = 10, 70 × 12)
declare -A BOTON_Y=(
    [carga]=120 [reaccion]=135 [deflexion]=150 [N]=165 [Vy]=180
    [My]=195 [Vz]=210 [Mz]=225 [T]=240
)
RESULTADOS=(carga reaccion deflexion N Vy My Vz Mz T)

# estado_botones IMAGEN: una línea "NOMBRE on|off|no" por botón de resultados,
# por el color de su cara
estado_botones() {
    convert "$1" -crop "70x132+10+120" +repage -depth 8 rgb:- | od -An -v -tu1 | tr -s ' ' '\n' |
        awk -v nombres="${RESULTADOS[*]}" '
            function cerca(a, b) { return (a - b <= 8 && b - a <= 8) }
            NF { v[k % 3] = $1; k++
                 if (k % 3 == 0) { p = k / 3 - 1; f = int(p / 70); i = int(f / 15)
                     if (f % 15 < 12) {
                         if (cerca(v[0], 76) && cerca(v[1], 76) && cerca(v[2], 0)) on[i]++
                         if (cerca(v[0], 25) && cerca(v[1], 25) && cerca(v[2], 0)) off[i]++ } } }
            END { n = split(nombres, b, " ")
                  for (i = 0; i < n; i++)
                      print b[i + 1], (on[i] >= 600 ? "on" : (off[i] >= 600 ? "off" : (on[i] + off[i] == 0 ? "no" : "?"))) }'
}
# botones IMAGEN ESTADO...: un estado por botón de resultados, en su orden
botones() {
    local img="$1" real esperado
    shift
    esperado="$(paste -d' ' <(printf '%s\n' "${RESULTADOS[@]}") <(printf '%s\n' "$@"))"
    real="$(estado_botones "$img")"
    [ "$real" = "$esperado" ] || sesion_falla "botones de $(basename "$img"): $(echo $real), se esperaba $(echo $esperado)"
}
# Solo el botón de resultado dado encendido (ninguno con "-")
solo_encendido() {   # IMAGEN NOMBRE
    local b estados=()
    for b in "${RESULTADOS[@]}"; do
        if [ "$b" = "$2" ]; then estados+=(on); else estados+=(off); fi
    done
    botones "$1" "${estados[@]}"
}
# Botón de combo k (0, 1...) a la derecha: cara encendida o apagada
combo_en() {  # IMAGEN K on|off
    local c="$CARA_OFF"
    [ "$3" = on ] && c="$CARA_ON"
    al_menos 900 "combo $2 $3" "$1" "130x12+$((ANCHO - 130))+$((35 + 15 * $2))" "$c"
}
calcular_en() {  # IMAGEN on|off
    local c="$CARA_OFF"
    [ "$2" = on ] && c="$CARA_ON"
    al_menos 1400 "Calcular $2" "$1" "120x15+$((ANCHO - 130))+$((ALTO - 80))" "$c"
}
clic_boton() { sesion_clic_directo 40 $((BOTON_Y[$1] + 6)); }
clic_combo() { sesion_clic_directo $((ANCHO - 60)) $((35 + 15 * $1 + 6)); }
clic_calcular() { sesion_clic_directo $((ANCHO - 70)) $((ALTO - 72)); }

# Coordenadas de los nudos del archivo (tabla nudos:) y caja del modelo
declare -A NUDO=()
CAJA=""
leer_nudos() {  # ARCHIVO
    NUDO=()
    local n x y z
    while read -r n x y z; do NUDO[$n]="$x $y $z"; done < <(
        awk '/^nudos:/ { t = 1; next } t && NF == 0 { exit } t { print $1, $2, $3, $4 }' "$1")
    CAJA="$(printf '%s\n' "${NUDO[@]}" | awk '
        { for (i = 1; i <= 3; i++) { if ($i < mn[i]) mn[i] = $i; if ($i > mx[i]) mx[i] = $i } }
        END { print mn[1] + 0, mx[1] + 0, mn[2] + 0, mx[2] + 0, mn[3] + 0, mx[3] + 0 }')"
}

# Píxel (x y) de un punto del modelo con la cámara de inicio (perspectiva de
# 45 grados), calculado aparte a partir de la caja que incluye el origen
proyectar() {  # X Y Z
    echo "$1 $2 $3" | awk -v caja="$CAJA" -v W="$ANCHO" -v H="$ALTO" '
        function unit(v,  n) { n = sqrt(v[1]^2 + v[2]^2 + v[3]^2); v[1] /= n; v[2] /= n; v[3] /= n }
        {
            split(caja, b, " ")
            dg = sqrt((b[2] - b[1])^2 + (b[4] - b[3])^2 + (b[6] - b[5])^2)
            c[1] = (b[1] + b[2]) / 2; c[2] = (b[3] + b[4]) / 2; c[3] = (b[5] + b[6]) / 2
            e[1] = c[1] - dg; e[2] = c[2] - dg; e[3] = b[6] + dg / 2
            for (i = 1; i <= 3; i++) f[i] = c[i] - e[i]
            unit(f)
            s[1] = f[2]; s[2] = -f[1]; s[3] = 0; unit(s)
            u[1] = s[2] * f[3] - s[3] * f[2]; u[2] = s[3] * f[1] - s[1] * f[3]; u[3] = s[1] * f[2] - s[2] * f[1]
            d[1] = $1 - e[1]; d[2] = $2 - e[2]; d[3] = $3 - e[3]
            xc = d[1] * s[1] + d[2] * s[2] + d[3] * s[3]
            yc = d[1] * u[1] + d[2] * u[2] + d[3] * u[3]
            zc = d[1] * f[1] + d[2] * f[2] + d[3] * f[3]
            t = sin(3.141592653589793 / 8) / cos(3.141592653589793 / 8)
            printf "%d %d\n", (xc / (zc * t * W / H) + 1) / 2 * W, (1 - yc / (zc * t)) / 2 * H
        }'
}

# Recorte alrededor de la barra entre dos nudos, con un margen en píxeles
zona_barra() {  # NUDO_I NUDO_J [MARGEN]
    local m="${3:-25}" a b
    a="$(proyectar ${NUDO[$1]})"
    b="$(proyectar ${NUDO[$2]})"
    echo "$a $b" | awk -v m="$m" -v W="$ANCHO" -v H="$ALTO" '{
        x0 = ($1 < $3 ? $1 : $3) - m; x1 = ($1 > $3 ? $1 : $3) + m
        y0 = ($2 < $4 ? $2 : $4) - m; y1 = ($2 > $4 ? $2 : $4) + m
        if (x0 < 0) x0 = 0; if (y0 < 0) y0 = 0; if (x1 > W) x1 = W; if (y1 > H - 60) y1 = H - 60
        printf "%dx%d+%d+%d\n", x1 - x0, y1 - y0, x0, y0 }'
}
# Recorte cuadrado alrededor de un nudo
zona_nudo() {  # NUDO [RADIO]
    local r="${2:-60}" p
    p="$(proyectar ${NUDO[$1]})"
    echo "$p" | awk -v r="$r" '{ printf "%dx%d+%d+%d\n", 2 * r, 2 * r, $1 - r, $2 - r }'
}

# Escena (sin el panel) y centro de los píxeles grises de las barras
ESCENA="760x560+100+130"
centro_gris() {  # IMAGEN: imprime "X Y" del centro de los píxeles grises
    convert "$1" -crop "$ESCENA" +repage -fuzz 4% -fill white -opaque "$GRIS" \
        -fill black +opaque white -depth 8 gray:- | od -An -v -tu1 | tr -s ' ' '\n' |
        awk -v w=760 'NF { if ($1 > 128) { sx += n % w; sy += int(n / w); c++ } n++ }
                      END { if (c) printf "%d %d %d\n", sx / c + 100, sy / c + 130, c; else print "0 0 0" }'
}

# La línea de respuesta dice lo mismo que la línea escrita (tras "/>"): se
# escribe el texto esperado sin Enter y se comparan las dos líneas verdes,
# con la escritura del propio programa como referencia. Después Enter vacía
# la línea (ningún texto de respuesta es un comando). No vale para las
# preguntas del combo y de aislar: Enter las contestaría.
lineas_iguales() {  # IMAGEN
    local y=$((ALTO - 48))
    convert "$1" -crop "${ANCHO}x32+0+$y" +repage -fuzz 4% -fill white -opaque "$VERDE" \
        -fill black +opaque white -depth 8 gray:- | od -An -v -tu1 | tr -s ' ' '\n' |
        awk -v w="$ANCHO" '
            NF { x = n % w; f = int(n / w); b = ($1 > 128) ? "1" : "0"
                 if (f < 16) c1[x] = c1[x] b; else c2[x] = c2[x] b; n++ }
            END {
                vacia = "0000000000000000"; tinta = 0
                for (x = 0; x < w; x++) if (c1[x] != vacia) tinta++
                if (!tinta) { print "sin texto"; exit }
                for (dx = 1; dx <= 40; dx++) {
                    ok = 1
                    for (x = 20; x < w && ok; x++) {  # desde el comienzo de la línea
                        otra = (x + dx < w) ? c2[x + dx] : vacia
                        if (c1[x] != otra) ok = 0
                    }
                    if (ok) { print "iguales"; exit }
                }
                print "distintas" }'
}
respuesta_es() {  # TEXTO [NOMBRE DE LA CAPTURA]
    sesion_vivo
    xdotool type --delay 12 -- "$1"
    captura "${2:-respuesta}"
    local r
    r="$(lineas_iguales "$ultima")"
    [ "$r" = iguales ] || sesion_falla "la respuesta no es \"$1\" ($r, $(basename "$ultima"))"
    xdotool key Return
}
# linea TEXTO: escribe una línea de comandos y Enter, sin esperas (las
# capturas estables esperan el dibujo)
linea() {
    sesion_vivo
    xdotool type --delay 12 -- "$1"
    xdotool key Return
}

# ---------------------------------------------------------------------------
# Sesión principal sobre una copia del ejemplo con dos combos
sesion_abrir_ejemplo ingresoDatos.txt 8
leer_nudos "$SESION_DIR/modelo.txt"
captura inicio; inicio="$ultima"

# Zonas: columna 1-5, viga 5-6 y alrededor del nudo 2 (lejos de los ejes)
COLUMNA="$(zona_barra 1 5)"
VIGA="$(zona_barra 5 6)"
ZONA_R="$(zona_nudo 2)"
declare -A ZONA=(
    [carga]="$(zona_nudo 5 70)" [reaccion]="$ZONA_R" [deflexion]="$VIGA"
    [N]="$COLUMNA" [Vy]="$VIGA" [My]="$VIGA" [Vz]="$COLUMNA" [Mz]="$COLUMNA" [T]="$VIGA"
)
al_menos 40 "barra 1 gris" "$inicio" "$COLUMNA" "$GRIS"
al_menos 40 "barra 5 gris" "$inicio" "$VIGA" "$GRIS"
calcular_en "$inicio" off
combo_en "$inicio" 0 off
combo_en "$inicio" 1 off
botones "$inicio" off no no no no no no no no
for b in "${RESULTADOS[@]}"; do
    [ "$b" = carga ] && continue
    a_lo_sumo 0 "sin $b al inicio" "$inicio" "${ZONA[$b]}" "${COLOR[$b]}"
done

# La deformada pedida antes de calcular responde pero no dibuja nada
linea "plotDef"
respuesta_es "Deformaciones Activadas. Ingrese Comando:" def_sin_calculo
debe_igualar "$inicio" "$ultima" "deformada antes de Calcular" "$ESCENA"

# Calcular: botones de resultados, sin dibujo mientras no haya combo
clic_calcular
captura calculado; calculado="$ultima"
calcular_en "$ultima" on
solo_encendido "$ultima" deflexion
debe_igualar "$inicio" "$ultima" "sin combo encendido" "$ESCENA"

# El combo ELU enciende su botón y la deformada pedida aparece
clic_combo 0
captura elu_deflexion
combo_en "$ultima" 0 on
combo_en "$ultima" 1 off
al_menos 40 "deformada de ELU" "$ultima" "$VIGA" "${COLOR[deflexion]}"

# Cada botón de resultados con ELU: su botón encendido, los demás apagados y
# el color de su dibujo en la zona de su barra
declare -A ELU=()
for b in carga reaccion N Vy My Vz Mz T deflexion; do
    clic_boton "$b"
    captura "elu_$b"
    ELU[$b]="$ultima"
    solo_encendido "$ultima" "$b"
    al_menos 40 "$b de ELU" "$ultima" "${ZONA[$b]}" "${COLOR[$b]}"
done
# Las cargas del combo también en las vigas (tramos con flechas)
al_menos 40 "carga en la viga" "${ELU[carga]}" "$VIGA" "rgb(51,51,0)"
# Cortantes y momentos en los dos planos son dibujos distintos
debe_cambiar "${ELU[Vy]}" "${ELU[Vz]}" "Vy y Vz" "$ESCENA"
debe_cambiar "${ELU[My]}" "${ELU[Mz]}" "My y Mz" "$ESCENA"
# El botón encendido se apaga con otro clic: vuelve el modelo solo
clic_boton deflexion
captura sin_resultado
solo_encendido "$ultima" -
debe_igualar "$calculado" "$ultima" "deflexion apagada" "$ESCENA"

# Combo SERV con la línea de comandos: la pregunta, un nombre que no existe,
# ELU apagado y SERV encendido
linea "combo"
xdotool type --delay 12 -- "Escriba el nombre del Combo y presione ENTER:"
captura pregunta_combo
[ "$(lineas_iguales "$ultima")" = iguales ] || sesion_falla "no aparece la pregunta del combo"
xdotool key Return  # la pregunta se contesta con su propio texto: no existe
respuesta_es "el combo no existe. Ingrese Comando:"
linea "combo"
linea "ELU"
respuesta_es "Combo Activado/Desactivado, OK. Ingrese Comando:"
linea "combo"
linea "SERV"
captura serv
combo_en "$ultima" 0 off
combo_en "$ultima" 1 on

# Cada resultado escrito con SERV: respuesta, botón encendido, dibujo
declare -A COMANDO=(
    [carga]=plotCarga [reaccion]=plotR [deflexion]=plotDef [N]=plotN [Vy]=plotVy
    [My]=plotMy [Vz]=plotVz [Mz]=plotMz [T]=plotT
)
declare -A RESPUESTA=(
    [carga]="Graficacion de Cargas Activada. Ingrese Comando:"
    [reaccion]="Graficacion de Reacciones Activada. Ingrese Comando:"
    [deflexion]="Deformaciones Activadas. Ingrese Comando:"
    [N]="Fuerzas Axiales Activadas. Ingrese Comando:"
    [Vy]="Fuerzas Cortantes Y Activadas. Ingrese Comando:"
    [My]="Momentos Flectores Y Activados. Ingrese Comando:"
    [Vz]="Fuerzas Cortantes Z Activadas. Ingrese Comando:"
    [Mz]="Momentos Flectores Z Activados. Ingrese Comando:"
    [T]="Torsion Activadas. Ingrese Comando:"
)
declare -A SERV=()
for b in "${RESULTADOS[@]}"; do
    linea "${COMANDO[$b]}"
    respuesta_es "${RESPUESTA[$b]}" "serv_$b"
    SERV[$b]="$ultima"
    solo_encendido "$ultima" "$b"
    al_menos 40 "$b de SERV" "$ultima" "${ZONA[$b]}" "${COLOR[$b]}"
    # Este pórtico no tiene torsión: con los dos combos todos sus valores se
    # escriben 0.000 y el dibujo es el mismo
    [ "$b" = T ] || debe_cambiar "${ELU[$b]}" "$ultima" "$b de SERV distinto de ELU" "$ESCENA"
done
# SERV tiene factores menores que ELU: diagramas más chicos (líneas
# interiores). El axial en la columna 2, a sotavento: el viento la comprime
declare -A INTERIOR=([N]="rgb(0,51,178)" [Vy]="rgb(102,102,0)" [My]="rgb(127,25,0)")
declare -A ZONA_MENOR=([N]="$(zona_barra 2 6)" [Vy]="$VIGA" [My]="$VIGA")
for b in N Vy My; do
    e="$(contar "${ELU[$b]}" "${ZONA_MENOR[$b]}" "${INTERIOR[$b]}")"
    s="$(contar "${SERV[$b]}" "${ZONA_MENOR[$b]}" "${INTERIOR[$b]}")"
    [ "$s" -lt "$e" ] || sesion_falla "$b de SERV ($s píxeles) no es menor que el de ELU ($e)"
done
# Otra vez plotT: desactivada, y la torsión se va
linea "plotT"
respuesta_es "Torsion Desactivada. Ingrese Comando:" serv_sin_torsion
solo_encendido "$ultima" -
a_lo_sumo 0 "torsión apagada" "$ultima" "$VIGA" "${COLOR[T]}"
debe_igualar "$calculado" "$ultima" "sin resultados con SERV" "$ESCENA"

# Los dos combos superpuestos: el momento de ambos cubre al de cada uno
linea "plotMy"
clic_combo 0
captura dos_combos; dos="$ultima"
combo_en "$ultima" 0 on
combo_en "$ultima" 1 on
ambos="$(contar "$dos" "$VIGA" "${COLOR[My]}")"
for c in "${ELU[My]}" "${SERV[My]}"; do
    uno="$(contar "$c" "$VIGA" "${COLOR[My]}")"
    [ "$ambos" -gt "$uno" ] || sesion_falla "My de dos combos ($ambos) no supera al de uno ($uno)"
done

# Ratón: rueda, arrastre izquierdo (paneo) y central (órbita)
read -r cx0 cy0 n0 < <(centro_gris "$dos")
sesion_clic_directo 500 400 5
sesion_clic_directo 500 400 5
captura zoom_afuera
read -r _ _ n1 < <(centro_gris "$ultima")
[ "$n1" -lt "$n0" ] || sesion_falla "la rueda hacia atrás no alejó el modelo ($n0 -> $n1 píxeles grises)"
sesion_clic_directo 500 400 4
sesion_clic_directo 500 400 4
sesion_clic_directo 500 400 4
sesion_clic_directo 500 400 4
captura zoom_adentro
read -r _ _ n2 < <(centro_gris "$ultima")
[ "$n2" -gt "$n0" ] || sesion_falla "la rueda hacia adelante no acercó el modelo ($n0 -> $n2 píxeles grises)"
read -r ax ay _ < <(centro_gris "$ultima")
sesion_arrastrar 400 400 550 400 1
captura paneo
read -r bx by _ < <(centro_gris "$ultima")
[ "$((bx - ax))" -gt 20 ] || sesion_falla "el paneo a la derecha no movió el modelo ($ax -> $bx)"
[ "$((by - ay))" -lt 15 ] && [ "$((ay - by))" -lt 15 ] || sesion_falla "el paneo horizontal movió el modelo en vertical ($ay -> $by)"
antes_orbita="$ultima"
sesion_arrastrar 500 400 650 330 2
captura orbita
debe_cambiar "$antes_orbita" "$ultima" "órbita" "$ESCENA"
solo_encendido "$ultima" My
# Ningún clic quedó pendiente sobre un botón: el panel sigue igual
calcular_en "$ultima" on

# Tamaño de ventana: el panel sigue a la esquina; por debajo de 600 × 400 se agranda
sesion_redimensionar 700 500
captura ventana_700
calcular_en "$ultima" on
combo_en "$ultima" 1 on
solo_encendido "$ultima" My
sesion_redimensionar 400 300 600 400
captura ventana_minima
calcular_en "$ultima" on
# Un clic en la nueva posición de "Calcular" vuelve a calcular
clic_calcular
captura recalculado_chico
calcular_en "$ultima" on
solo_encendido "$ultima" My
sesion_redimensionar 1000 800

# F5 sobre la copia editada: un nudo de cumbrera y cuatro barras
sesion_recargar_cumbrera "$SESION_EJEMPLOS/ingresoDatos.txt"
leer_nudos "$SESION_DIR/modelo.txt"
captura recarga; recarga="$ultima"
# Modelo nuevo desde la cámara de inicio, sin resultados ni combos
al_menos 40 "barra nueva 9" "$recarga" "$(zona_barra 5 9 10)" "$GRIS"
al_menos 40 "barra nueva 12" "$recarga" "$(zona_barra 8 9 10)" "$GRIS"
calcular_en "$recarga" off
combo_en "$recarga" 0 off
combo_en "$recarga" 1 off
botones "$recarga" off no no no no no no no no
a_lo_sumo 0 "sin momentos tras F5" "$recarga" "$(zona_barra 5 6)" "${COLOR[My]}"
# Calcular otra vez con el modelo nuevo: la deformada llega a la cumbrera
clic_calcular
clic_combo 0
clic_boton deflexion
captura recarga_deflexion
al_menos 20 "deformada de la barra nueva" "$ultima" "$(zona_barra 5 9 10)" "${COLOR[deflexion]}"

# Esc termina con estado 0
sesion_tecla Escape
sesion_fin_correcto "Esc"

# ---------------------------------------------------------------------------
# Archivos rotos: la ventana abre siempre, los mensajes dicen qué pasó y
# ningún botón ni comando cuelga el programa

# todo_el_panel: Calcular, un combo que no existe, aislar y cada resultado
todo_el_panel() {
    clic_calcular
    local b clics=()
    for b in "${RESULTADOS[@]}"; do
        clics+=(mousemove --window "$SESION_VENTANA" 40 $((BOTON_Y[$b] + 6)) click 1 sleep 0.1)
    done
    xdotool "${clics[@]}"
    linea "combo"
    linea "ELU"
    respuesta_es "el combo no existe. Ingrese Comando:"
    linea "aislar"
    linea "1 2"
    linea "noAislar"
    sesion_vivo
}
sin_modelo() {  # IMAGEN: sin barras ni combos
    a_lo_sumo 0 "sin barras" "$1" "$ESCENA" "$GRIS"
    a_lo_sumo 0 "sin lista de combos" "$1" "300x40+$((ANCHO - 150))+15" "$VERDE"
}

# Inexistente: aviso claro y modelo vacío; el usuario crea el archivo y pulsa F5
sesion_abrir falta.txt 0
grep -qx "Advertencia: no se pudo abrir el archivo falta.txt; se lee como un archivo vacío" "$SESION_SALIDA" ||
    sesion_falla "falta el aviso del archivo inexistente"
captura inexistente
sin_modelo "$ultima"
calcular_en "$ultima" off
todo_el_panel
cp "$SESION_EJEMPLOS/voladizo.txt" "$SESION_DIR/falta.txt"
leer_nudos "$SESION_DIR/falta.txt"
sesion_tecla F5
sesion_esperar_salida "Num Barras = 1"
captura creado_y_recargado
al_menos 40 "voladizo tras F5" "$ultima" "$(zona_barra 1 2 10)" "$GRIS"
combo_en "$ultima" 0 off
clic_calcular
clic_combo 0
clic_boton deflexion
captura voladizo_deflexion
calcular_en "$ultima" on
al_menos 20 "deformada del voladizo" "$ultima" "$(zona_barra 1 2 40)" "${COLOR[deflexion]}"
linea "salir"
sesion_fin_correcto "\"salir\""

# Vacío y con basura: modelo vacío y los avisos del cargador
: >"$SESION_DIR/vacio.txt"
printf 'hola mundo\nnudos:\n1 a b c\n2 3 x\nbarras:\n1 1 2 zz\n9 9 \001\377 basura: ::: combo:\nescalaN: -3\n' \
    >"$SESION_DIR/basura.txt"
for archivo in vacio.txt basura.txt; do
    sesion_abrir "$archivo" 0
    sesion_esperar_salida "Advertencia: no se encontró ningún real con etiqueta escalaCarga:"
    captura "$archivo"
    sin_modelo "$ultima"
    todo_el_panel
    linea "exit"
    sesion_fin_correcto "\"exit\" con $archivo"
done
grep -qx "Faltan datos para completar la matriz nudos:" "$SESION_SALIDA" ||
    sesion_falla "falta el aviso de la tabla de nudos incompleta"

# Estructura sin apoyos: Calcular no muestra resultados y lo dice
cat >"$SESION_DIR/inestable.txt" <<'FIN'
nudos:
1 0 0 0
2 3 0 0
barras:
1 1 2
seccionGenerica:
IPE
0.01 8e-5 1e-4 2e-6 2e8 0.3 78.5
1
puntual:
P
0 0 -10 0 0 0
2
combo:
C1 1 P
FIN
sesion_abrir inestable.txt 1
captura inestable_antes; antes="$ultima"
clic_calcular
sesion_esperar_salida "Estructura inestable"
captura inestable
calcular_en "$ultima" off
botones "$ultima" off no no no no no no no no
debe_cambiar "$antes" "$ultima" "respuesta de la estructura inestable" "${ANCHO}x32+0+$((ALTO - 48))"
sesion_tecla Escape
sesion_fin_correcto "Esc"
echo "sesion_completa: OK"

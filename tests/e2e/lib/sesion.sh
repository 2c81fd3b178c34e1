#!/usr/bin/env bash
# Biblioteca de sesiones del visor: Xvfb propio, programa real, xdotool y capturas.
# Uso (PROGRAMA y CARPETA_EJEMPLOS son los argumentos de cada sesión):
#   source tests/e2e/lib/sesion.sh
#   sesion_preparar PROGRAMA CARPETA_EJEMPLOS
#   sesion_abrir_ejemplo ingresoDatos.txt 8
#   captura inicio; debe_cambiar ...; sesion_tecla Escape; sesion_fin_correcto Esc
#
# Variables que deja:
#   SESION_PROGRAMA  ruta absoluta del programa
#   SESION_EJEMPLOS  ruta absoluta de la carpeta de ejemplos
#   SESION_DIR       carpeta temporal de la sesión (se borra al salir salvo SESION_CONSERVAR=1)
#   SESION_CAPTURAS  carpeta de las capturas, dentro de SESION_DIR
#   SESION_SALIDA    archivo con la salida estándar y de error del programa
#   SESION_PID       proceso del programa
#   SESION_VENTANA   id X de la ventana "Tresnal 3D v6.1"
#   ANCHO, ALTO      tamaño de la ventana al abrirla
#   ultima           ruta de la última captura de `captura`
#   DISPLAY          el display del Xvfb propio

SESION_TITULO="Tresnal 3D v6.1"
SESION_DIR=""
SESION_SALIDA=""
SESION_PID=""
SESION_VENTANA=""
SESION_XVFB_PID=""
SESION_ESTADO=""
SESION_PROGRAMA=""
SESION_EJEMPLOS=""
SESION_CAPTURAS=""
SESION_PASO=0
ANCHO=""
ALTO=""
ultima=""

# Mensaje y fin de la prueba con estado 1
sesion_falla() {
    echo "FALLA: $*" >&2
    if [ -n "$SESION_SALIDA" ] && [ -f "$SESION_SALIDA" ]; then
        echo "--- salida del programa ---" >&2
        tail -n 40 "$SESION_SALIDA" >&2
    fi
    if [ -n "$SESION_DIR" ] && [ -s "$SESION_DIR/xvfb.log" ]; then
        echo "--- Xvfb (${DISPLAY:-sin display}) ---" >&2
        tail -n 20 "$SESION_DIR/xvfb.log" >&2
    fi
    exit 1
}

# sesion_esperar_hasta SEGUNDOS ORDEN [ARGUMENTOS...]: corre la orden cada
# 0,1 s hasta que se cumpla o pasen los segundos, y una vez más al final;
# vuelve con el estado de la última
sesion_esperar_hasta() {
    local veces=$(($1 * 10))
    shift
    for _ in $(seq 1 "$veces"); do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

sesion_limpiar() {
    if [ -n "$SESION_PID" ] && kill -0 "$SESION_PID" 2>/dev/null; then
        kill "$SESION_PID" 2>/dev/null
        sleep 0.2
        kill -9 "$SESION_PID" 2>/dev/null
    fi
    if [ -n "$SESION_XVFB_PID" ] && kill -0 "$SESION_XVFB_PID" 2>/dev/null; then
        kill "$SESION_XVFB_PID" 2>/dev/null
        wait "$SESION_XVFB_PID" 2>/dev/null
    fi
    if [ -n "$SESION_DIR" ] && [ -d "$SESION_DIR" ] && [ "${SESION_CONSERVAR:-0}" != 1 ]; then
        rm -rf "$SESION_DIR"
    fi
}

# Arranca un Xvfb en un display libre (lo elige el propio servidor) y exporta
# DISPLAY. Con -noreset el servidor no se reinicia cuando se va su último
# cliente (entre dos arranques del programa en la misma sesión)
sesion_iniciar() {
    for h in Xvfb xdotool import convert compare; do
        command -v "$h" >/dev/null || sesion_falla "falta la herramienta $h"
    done
    SESION_DIR="$(mktemp -d /tmp/sesion_visor.XXXXXX)"
    trap sesion_limpiar EXIT
    trap 'exit 130' INT TERM
    local fifo="$SESION_DIR/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" 2>"$SESION_DIR/xvfb.log" &
    SESION_XVFB_PID=$!
    # hasta que escriba su display o termine
    sesion_esperar_hasta 10 sesion_xvfb_listo
    local n
    n="$(head -n1 "$fifo" 2>/dev/null)"
    [ -n "$n" ] || sesion_falla "Xvfb no arrancó: $(cat "$SESION_DIR/xvfb.log")"
    export DISPLAY=":$n"
    SESION_SALIDA="$SESION_DIR/salida.txt"
}

# El Xvfb ya escribió su display, o terminó
sesion_xvfb_listo() {
    [ -n "$(head -n1 "$SESION_DIR/display" 2>/dev/null)" ] || ! kill -0 "$SESION_XVFB_PID" 2>/dev/null
}

# sesion_arrancar PROGRAMA [ARGUMENTOS...]: corre el programa en SESION_DIR con la
# salida a SESION_SALIDA y espera su ventana
sesion_arrancar() {
    local programa
    programa="$(readlink -f "$1")"
    shift
    [ -x "$programa" ] || sesion_falla "no existe el programa $programa"
    (cd "$SESION_DIR" && exec "$programa" "$@") >"$SESION_SALIDA" 2>&1 </dev/null &
    SESION_PID=$!
    sesion_buscar_ventana
}

# sesion_preparar PROGRAMA CARPETA_EJEMPLOS: comienzo común de cada sesión:
# comprueba los argumentos, arranca el Xvfb propio y crea la carpeta de capturas
sesion_preparar() {
    [ $# = 2 ] || { echo "uso: $0 PROGRAMA CARPETA_EJEMPLOS" >&2; exit 2; }
    SESION_PROGRAMA="$(readlink -f "$1")"
    SESION_EJEMPLOS="$(readlink -f "$2")"
    [ -x "$SESION_PROGRAMA" ] || sesion_falla "no existe el programa $1"
    [ -d "$SESION_EJEMPLOS" ] || sesion_falla "no existe la carpeta de ejemplos $2"
    sesion_iniciar
    SESION_CAPTURAS="$SESION_DIR/capturas"
    mkdir -p "$SESION_CAPTURAS"
    SESION_PASO=0
}

# sesion_abrir ARCHIVO [BARRAS]: arranca el programa sobre ARCHIVO (relativo a
# SESION_DIR), espera su ventana y, con BARRAS, la línea del cargador
# "lectura de barras OK Num Barras = BARRAS". La ventana debe medir 1000 × 800;
# su tamaño queda en ANCHO y ALTO
sesion_abrir() {
    sesion_arrancar "$SESION_PROGRAMA" "$1"
    [ -n "${2:-}" ] && sesion_esperar_salida "lectura de barras OK Num Barras = $2"
    read -r ANCHO ALTO < <(sesion_tamano)
    [ "$ANCHO $ALTO" = "1000 800" ] || sesion_falla "la ventana de $1 mide $ANCHO x $ALTO, no 1000 x 800"
}

# sesion_abrir_ejemplo NOMBRE BARRAS: copia el ejemplo a modelo.txt (que la
# sesión puede editar y recargar con F5) y lo abre
sesion_abrir_ejemplo() {
    cp "$SESION_EJEMPLOS/$1" "$SESION_DIR/modelo.txt" || sesion_falla "no se pudo copiar el ejemplo $1"
    sesion_abrir modelo.txt "$2"
}

# Espera la ventana por su título exacto (máximo 20 s)
sesion_buscar_ventana() {
    sesion_esperar_hasta 20 sesion_ventana_abierta ||
        sesion_falla "no apareció la ventana \"$SESION_TITULO\""
    xdotool windowfocus --sync "$SESION_VENTANA" 2>/dev/null || xdotool windowfocus "$SESION_VENTANA"
    sesion_esperar_primer_cuadro
    sesion_esperar_cuadros 5
}

# Deja en SESION_VENTANA la ventana del título, si ya está; si no, la deja
# vacía y falla si el programa terminó
sesion_ventana_abierta() {
    SESION_VENTANA="$(xdotool search --name "^${SESION_TITULO}\$" 2>/dev/null | head -n1)"
    if [ -n "$SESION_VENTANA" ] && xdotool getwindowgeometry "$SESION_VENTANA" >/dev/null 2>&1; then
        return 0
    fi
    SESION_VENTANA=""
    kill -0 "$SESION_PID" 2>/dev/null || sesion_falla "el programa terminó antes de abrir la ventana"
    return 1
}

# Espera (máximo 30 s) el primer cuadro dibujado: con la máquina cargada la
# ventana puede seguir negra un rato, y dos capturas negras seguidas pasarían
# por una ventana asentada
sesion_esperar_primer_cuadro() {
    sesion_esperar_hasta 30 sesion_ventana_dibujada ||
        sesion_falla "la ventana sigue sin dibujar nada tras 30 s"
}

# La ventana tiene más de un color
sesion_ventana_dibujada() {
    local f="$SESION_DIR/primer_cuadro.png" colores
    sesion_captura "$f"
    colores="$(convert "$f" -format '%k' info:- 2>/dev/null)"
    [ "${colores:-1}" -gt 1 ]
}

# Tamaño de la ventana: imprime "ANCHO ALTO"
sesion_tamano() {
    xdotool getwindowgeometry "$SESION_VENTANA" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p'
}

# sesion_esperar_cuadros [N]: deja correr unos cuadros (el visor redibuja sin parar)
sesion_esperar_cuadros() {
    local n="${1:-3}"
    sleep "$(awk -v n="$n" 'BEGIN { printf "%.2f", 0.1 * n }')"
}

# sesion_clic X Y [BOTON]: clic en coordenadas de la ventana (botón 1 izquierdo por omisión)
sesion_clic() {
    local boton="${3:-1}"
    sesion_vivo
    xdotool mousemove --window "$SESION_VENTANA" --sync "$1" "$2" 2>/dev/null ||
        xdotool mousemove --window "$SESION_VENTANA" "$1" "$2"
    sleep 0.05
    xdotool click "$boton"
    sesion_esperar_cuadros 3
}

# sesion_arrastrar X1 Y1 X2 Y2 [BOTON]: arrastre con el botón dado (1 izquierdo, 2 central)
sesion_arrastrar() {
    local boton="${5:-1}"
    sesion_vivo
    xdotool mousemove --window "$SESION_VENTANA" "$1" "$2"
    sleep 0.05
    xdotool mousedown "$boton"
    sleep 0.05
    local pasos=10 i
    for i in $(seq 1 $pasos); do
        xdotool mousemove --window "$SESION_VENTANA" \
            $(($1 + ($3 - $1) * i / pasos)) $(($2 + ($4 - $2) * i / pasos))
        sleep 0.02
    done
    xdotool mouseup "$boton"
    sesion_esperar_cuadros 3
}

# sesion_escribir TEXTO: escribe el texto en la ventana
sesion_escribir() {
    sesion_vivo
    xdotool windowfocus "$SESION_VENTANA" 2>/dev/null
    xdotool type --delay 30 -- "$1"
    sesion_esperar_cuadros 2
}

# sesion_tecla TECLA...: teclas con nombres de xdotool (Return, Escape, F5, alt+c, plus...)
sesion_tecla() {
    sesion_vivo
    xdotool windowfocus "$SESION_VENTANA" 2>/dev/null
    xdotool key --delay 50 -- "$@"
    sesion_esperar_cuadros 3
}

# sesion_comando TEXTO: escribe una línea de comandos y la ejecuta con Enter
sesion_comando() {
    sesion_escribir "$1"
    sesion_tecla Return
}

# sesion_captura ARCHIVO.png: captura de la ventana
sesion_captura() {
    sesion_vivo
    import -window "$SESION_VENTANA" "png:$1" 2>/dev/null || sesion_falla "no se pudo capturar la ventana"
}

# sesion_distintos A B [RECORTE [COLOR]]: píxeles distintos entre dos
# capturas, en toda la imagen o en un recorte AxB+X+Y; con COLOR solo cuentan
# los píxeles de ese color (los demás se toman como negro)
sesion_distintos() {
    if [ -n "${3:-}" ]; then
        local filtro=()
        [ -n "${4:-}" ] && filtro=(-fill black +opaque "$4")
        convert "$1" -crop "$3" +repage "${filtro[@]}" "$SESION_DIR/recorte_a.png"
        convert "$2" -crop "$3" +repage "${filtro[@]}" "$SESION_DIR/recorte_b.png"
        compare -metric AE "$SESION_DIR/recorte_a.png" "$SESION_DIR/recorte_b.png" null: 2>&1 |
            cut -d' ' -f1
    else
        compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
    fi
}

# sesion_captura_estable ARCHIVO.png: captura repetida hasta que dos seguidas
# coincidan (la máquina puede estar cargada). Si la ventana no deja de cambiar
# en SESION_INTENTOS_ESTABLE capturas (25 por omisión, unos 5 s o más) la
# prueba falla: lo que se comprobara después sería un dibujo a medias
sesion_captura_estable() {
    local previa="$SESION_DIR/previa.png" intentos="${SESION_INTENTOS_ESTABLE:-25}" i n zona
    sesion_captura "$previa"
    for i in $(seq 1 "$intentos"); do
        sleep 0.2
        sesion_captura "$1"
        n="$(sesion_distintos "$previa" "$1")"
        [ "$n" = 0 ] && return 0
        [ "$i" -lt "$intentos" ] && cp "$1" "$previa"
    done
    # rectángulo que abarca los píxeles que cambiaron entre las dos últimas
    zona="$(compare "$previa" "$1" -compose src -highlight-color white -lowlight-color black \
        png:- 2>/dev/null | convert - -format '%@' info:- 2>/dev/null)"
    sesion_falla "la ventana no se asentó en $intentos capturas seguidas ($(basename "$1")):" \
        "las dos últimas difieren en $n píxeles, dentro de ${zona:-?}" \
        "(con SESION_CONSERVAR=1 las capturas quedan en $SESION_DIR)"
}

# sesion_redimensionar ANCHO ALTO [ANCHO_FINAL ALTO_FINAL]: pide ese tamaño de
# ventana y espera (máximo 3 s) el que debe quedar, por omisión el pedido;
# falla si no llega. Deja el tamaño en ANCHO y ALTO
sesion_redimensionar() {
    local esperado="${3:-$1} ${4:-$2}"
    sesion_vivo
    xdotool windowsize "$SESION_VENTANA" "$1" "$2"
    sesion_esperar_hasta 3 sesion_tamano_es "$esperado" ||
        sesion_falla "la ventana pedida de $1 x $2 mide $ANCHO x $ALTO, no ${esperado/ / x }"
    sesion_esperar_cuadros 3
}

# sesion_tamano_es "ANCHO ALTO": deja el tamaño de la ventana en ANCHO y ALTO
# y dice si es ese
sesion_tamano_es() {
    read -r ANCHO ALTO < <(sesion_tamano)
    [ "$ANCHO $ALTO" = "$1" ]
}

# sesion_pixel ARCHIVO X Y: imprime "R G B" (0 a 255) del píxel de la captura
sesion_pixel() {
    convert "$1" -crop "1x1+$2+$3" +repage -depth 8 rgb:- | od -An -tu1 | awk '{ print $1, $2, $3 }'
}

# sesion_contar_color ARCHIVO X Y ANCHO ALTO R G B [TOL]: cuántos píxeles del
# rectángulo tienen ese color (con tolerancia por canal, 8 por omisión)
sesion_contar_color() {
    local tol="${9:-8}"
    convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 rgb:- | od -An -v -tu1 | tr -s ' ' '\n' |
        awk -v r="$6" -v g="$7" -v b="$8" -v t="$tol" '
            NF { v[n % 3] = $1; n++
                 if (n % 3 == 0) {
                     d0 = v[0] - r; d1 = v[1] - g; d2 = v[2] - b
                     if (d0 < 0) d0 = -d0; if (d1 < 0) d1 = -d1; if (d2 < 0) d2 = -d2
                     if (d0 <= t && d1 <= t && d2 <= t) c++ } }
            END { print c + 0 }'
}

# El programa ya terminó
sesion_termino() {
    ! kill -0 "$SESION_PID" 2>/dev/null
}

# Falla si el programa ya terminó
sesion_vivo() {
    kill -0 "$SESION_PID" 2>/dev/null || sesion_falla "el programa terminó antes de tiempo"
}

# sesion_esperar_fin [SEGUNDOS]: espera el fin del programa y deja su estado en
# SESION_ESTADO. Falla si no termina a tiempo (10 s por omisión). Llamarla
# directamente, no dentro de $(...): solo este shell puede esperar al programa.
sesion_esperar_fin() {
    local limite="${1:-10}"
    sesion_esperar_hasta "$limite" sesion_termino || sesion_falla "el programa no terminó en $limite s"
    SESION_ESTADO=0
    wait "$SESION_PID" || SESION_ESTADO=$?
    SESION_PID=""
}

# sesion_fin_correcto MOTIVO: tras Esc, "exit" o "salir", el programa termina
# con estado 0 y sin avisos de los sanitizers en su salida
sesion_fin_correcto() {
    sesion_esperar_fin
    [ "$SESION_ESTADO" = 0 ] || sesion_falla "$1 terminó con estado $SESION_ESTADO"
    ! grep -qE "AddressSanitizer|runtime error|LeakSanitizer" "$SESION_SALIDA" ||
        sesion_falla "la salida tiene errores de memoria o de comportamiento indefinido"
}

# sesion_esperar_salida TEXTO [SEGUNDOS]: espera que la salida del programa contenga el texto
sesion_esperar_salida() {
    sesion_esperar_hasta "${2:-10}" grep -qsF -- "$1" "$SESION_SALIDA" ||
        sesion_falla "la salida no contiene \"$1\""
}

# sesion_clic_directo X Y [BOTON]: como sesion_clic pero sin --sync (con
# --sync, xdotool espera hasta 15 s cuando el puntero ya está en ese lugar);
# el movimiento y el clic van en orden por la misma conexión
sesion_clic_directo() {
    sesion_vivo
    xdotool mousemove --window "$SESION_VENTANA" "$1" "$2" click "${3:-1}"
    sesion_esperar_cuadros 3
}

# sesion_recargar_cumbrera ORIGEN: escribe en modelo.txt una copia de ORIGEN con
# un nudo de cumbrera (9) y cuatro barras nuevas de sección TUBO, pulsa F5 y
# comprueba que la consola muestra la línea de reinicio y luego las del cargador
sesion_recargar_cumbrera() {
    awk '
        /^nudos:/ && !n { print; print "9 3 2.5 6"; n = 1; next }
        /^barras:/ && !b { print; print "9 5 9"; print "10 6 9"; print "11 7 9"; print "12 8 9"; b = 1; next }
        { print }
        END { print "seccionGenerica:"; print "TUBO"; print "0.004 2.5e-5 2.5e-5 5e-5 2e8 0.3 78.5"; print "9 10 11 12" }
    ' "$1" >"$SESION_DIR/modelo.txt"
    local antes esperado
    antes="$(wc -l <"$SESION_SALIDA")"
    sesion_tecla F5
    sesion_esperar_salida "Num Barras = 12"
    tail -n +"$((antes + 1))" "$SESION_SALIDA" >"$SESION_DIR/tras_f5.txt"
    esperado="$(printf '\n\n\n------------------------Reinicio del programa------------------\nlectura de nudos OK Num Nudos = 9\nlectura de barras OK Num Barras = 12')"
    [ "$(head -n 6 "$SESION_DIR/tras_f5.txt")" = "$esperado" ] ||
        sesion_falla "consola tras F5: $(head -n 6 "$SESION_DIR/tras_f5.txt")"
    grep -qx "transferencia de coord a barra\[i\] OK" "$SESION_DIR/tras_f5.txt" ||
        sesion_falla "faltan las líneas del cargador tras F5"
}

# ---------------------------------------------------------------------------
# Pasos y comprobaciones comunes de las sesiones

# captura NOMBRE: captura estable numerada en SESION_CAPTURAS; deja su ruta en $ultima
captura() {
    SESION_PASO=$((SESION_PASO + 1))
    ultima="$SESION_CAPTURAS/$(printf '%02d' "$SESION_PASO")_$1.png"
    sesion_captura_estable "$ultima"
}

# debe_cambiar A B MOTIVO [RECORTE [COLOR]] / debe_igualar A B MOTIVO [RECORTE [COLOR]]:
# las dos capturas difieren (o coinciden) en todo, en el recorte o en los
# píxeles del color dado
debe_cambiar() {
    [ "$(sesion_distintos "$1" "$2" "${4:-}" "${5:-}")" != 0 ] ||
        sesion_falla "$3: la imagen no cambió ($(basename "$2"))"
}
debe_igualar() {
    local n
    n="$(sesion_distintos "$1" "$2" "${4:-}" "${5:-}")"
    [ "$n" = 0 ] || sesion_falla "$3: $n píxeles distintos ($(basename "$1") / $(basename "$2"))"
}

#!/usr/bin/env bash
# "Calcular" con el programa real: la ventana se busca por su título, un clic
# en el botón corre el análisis y aparecen los ocho botones de resultados;
# Esc termina con estado 0. Con una estructura inestable la línea del motivo
# queda en la respuesta y no aparece ningún botón de resultados.
# Capturas en $SESION_DIR/capturas (SESION_CONSERVAR=1 para mirarlas).
# Uso: calcular.sh PROGRAMA CARPETA_EJEMPLOS
set -uo pipefail
source "$(dirname "$0")/lib/sesion.sh"

sesion_preparar "$@"

# Colores de las caras de los botones de flags (0.1, 0.1, 0) y (0.3, 0.3, 0)
APAGADO="26 26 0"
ENCENDIDO="77 77 0"
VERDE="0 255 0"

# Botones de resultados: etiqueta e y de su cara (x de 10 a 80, 12 de alto)
RESULTADOS=("reaccion 135" "deflexion 150" "N 165" "Vy 180" "My 195" "Vz 210" "Mz 225" "T 240")

# Píxeles de la cara de un botón con el color dado: ARCHIVO X Y ANCHO ALTO "R G B"
cara() {
    # shellcheck disable=SC2086
    sesion_contar_color "$1" "$2" "$3" "$4" "$5" $6
}

# botones_resultados ARCHIVO presentes|ausentes
botones_resultados() {
    local r etiqueta y n
    for r in "${RESULTADOS[@]}"; do
        read -r etiqueta y <<<"$r"
        n="$(cara "$1" 10 "$y" 70 12 "$APAGADO")"
        if [ "$2" = presentes ]; then
            # la cara apagada cubre casi todo el botón; la etiqueta tapa una parte
            [ "$n" -ge 600 ] || sesion_falla "falta el botón \"$etiqueta\" ($n píxeles de cara, $(basename "$1"))"
        else
            n=$((n + $(cara "$1" 10 "$y" 70 12 "$ENCENDIDO")))
            [ "$n" -le 20 ] || sesion_falla "el botón \"$etiqueta\" no debería estar ($n píxeles, $(basename "$1"))"
        fi
    done
}

# calcular_encendido ARCHIVO si|no: la cara de "Calcular" (ANCHO-130, ALTO-80, 120 x 15)
calcular_encendido() {
    local color=$APAGADO otro=$ENCENDIDO n m
    [ "$2" = si ] && { color=$ENCENDIDO; otro=$APAGADO; }
    n="$(cara "$1" $((ANCHO - 130)) $((ALTO - 80)) 120 15 "$color")"
    m="$(cara "$1" $((ANCHO - 130)) $((ALTO - 80)) 120 15 "$otro")"
    [ "$n" -ge 1200 ] && [ "$m" -le 20 ] ||
        sesion_falla "\"Calcular\" encendido=$2 no se ve así ($n / $m píxeles, $(basename "$1"))"
}

# Texto verde de la línea de respuesta (línea base en ALTO - 36): cantidad de
# píxeles y x del último
respuesta_verde() {
    sesion_contar_color "$1" 0 $((ALTO - 50)) "$ANCHO" 16 $VERDE
}
respuesta_fin_x() {
    convert "$1" -crop "${ANCHO}x16+0+$((ALTO - 50))" +repage -fill black +opaque "#00ff00" \
        -trim -format '%[fx:page.x + w]' info:- 2>/dev/null
}

# Clic en el centro de "Calcular"
clic_calcular() {
    sesion_clic $((ANCHO - 70)) $((ALTO - 72))
}

# ---- Pórtico de ejemplo: el análisis corre y aparecen los botones
sesion_abrir_ejemplo ingresoDatos.txt 8

captura portico_inicio
botones_resultados "$ultima" ausentes
calcular_encendido "$ultima" no
# los botones de siempre están desde el principio
[ "$(cara "$ultima" 10 120 70 12 "$APAGADO")" -ge 600 ] || sesion_falla "falta el botón \"carga\""

clic_calcular
captura portico_calculado
botones_resultados "$ultima" presentes
calcular_encendido "$ultima" si
grep -q "Estructura inestable\|Análisis cancelado" "$SESION_SALIDA" &&
    sesion_falla "el pórtico de ejemplo no debería fallar"

# Un segundo clic lo corre de nuevo y todo sigue igual
clic_calcular
captura portico_segundo
botones_resultados "$ultima" presentes
calcular_encendido "$ultima" si

sesion_tecla Escape
sesion_fin_correcto "Esc"

# ---- Voladizo apoyado solo en traslaciones: un mecanismo
sed 's/^1 1 1 1 1 1$/1 1 1 0 0 0/' "$SESION_EJEMPLOS/voladizo.txt" >"$SESION_DIR/inestable.txt"
grep -q '^1 1 1 0 0 0$' "$SESION_DIR/inestable.txt" || sesion_falla "no se pudo preparar el modelo inestable"
sesion_abrir inestable.txt 1

captura inestable_inicio
inicio="$ultima"
botones_resultados "$ultima" ausentes
verde_inicio="$(respuesta_verde "$ultima")"
[ "$verde_inicio" -gt 0 ] || sesion_falla "no se ve la línea de respuesta inicial"

clic_calcular
sesion_esperar_salida "Estructura inestable"
captura inestable_calculado
botones_resultados "$ultima" ausentes
calcular_encendido "$ultima" no

# La línea del análisis reemplaza a "Comando:": más larga y más a la derecha
linea="$(grep -m1 "Estructura inestable" "$SESION_SALIDA")"
verde="$(respuesta_verde "$ultima")"
fin="$(respuesta_fin_x "$ultima")"
fin_inicio="$(respuesta_fin_x "$inicio")"
[ "$verde" -gt $((verde_inicio * 4)) ] ||
    sesion_falla "la respuesta no muestra \"$linea\" ($verde_inicio -> $verde píxeles)"
[ "${fin:-0}" -gt 300 ] && [ "${fin:-0}" -gt $((fin_inicio + 200)) ] ||
    sesion_falla "la respuesta es muy corta para \"$linea\" (termina en x = $fin, antes $fin_inicio)"

# Otro clic lo intenta de nuevo: misma línea y ningún botón
clic_calcular
captura inestable_segundo
botones_resultados "$ultima" ausentes
[ "$(grep -c "Estructura inestable" "$SESION_SALIDA")" -ge 2 ] ||
    sesion_falla "el segundo clic no corrió el análisis"

sesion_tecla Escape
sesion_fin_correcto "Esc"
echo "calcular: bien"

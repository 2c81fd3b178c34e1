#!/usr/bin/env bash
# Resultados con el programa real: antes de "Calcular" los dibujos de
# resultados no muestran nada (las cargas sí); después, con el combo ELU
# activado, cada botón de resultados por turno enciende su dibujo con sus
# colores y apaga el anterior. Capturas en $SESION_DIR/capturas
# (SESION_CONSERVAR=1 para mirarlas).
# Uso: resultados.sh PROGRAMA CARPETA_EJEMPLOS
set -uo pipefail
source "$(dirname "$0")/lib/sesion.sh"

sesion_preparar "$@"

# Escena sin el panel (botones a la izquierda, combos arriba, comandos abajo)
ESCENA=(100 130 760 560)
ENCENDIDO="77 77 0"

# en_escena ARCHIVO "R G B"...: píxeles de la escena de cada color (tolerancia
# 8 por canal), en una sola pasada; imprime las cuentas separadas por espacios
en_escena() {
    local archivo="$1"
    shift
    convert "$archivo" -crop "${ESCENA[2]}x${ESCENA[3]}+${ESCENA[0]}+${ESCENA[1]}" +repage \
        -depth 8 rgb:- | od -An -v -tu1 | tr -s ' ' '\n' |
        awk -v lista="$*" '
            BEGIN { k = split(lista, c, " ") / 3 }
            NF { v[n % 3] = $1; n++
                 if (n % 3 == 0)
                     for (j = 0; j < k; j++) {
                         d0 = v[0] - c[3 * j + 1]; d1 = v[1] - c[3 * j + 2]; d2 = v[2] - c[3 * j + 3]
                         if (d0 < 0) d0 = -d0; if (d1 < 0) d1 = -d1; if (d2 < 0) d2 = -d2
                         if (d0 <= 8 && d1 <= 8 && d2 <= 8) cuenta[j]++
                     } }
            END { for (j = 0; j < k; j++) printf "%d%s", cuenta[j] + 0, (j + 1 < k ? " " : "\n") }'
}

# Botones de resultados: etiqueta, y de su cara, comando, colores de su dibujo
# (contorno o curva) y mínimo de píxeles de ese color en la escena
BOTONES=(
    "carga|120|plotCarga|204 51 51|30"
    "reaccion|135|plotR|255 0 0|100"
    "deflexion|150|plotDef|0 179 179|300"
    "N|165|plotN|0 51 179|100"
    "Vy|180|plotVy|128 128 0|100"
    "My|195|plotMy|179 51 0|150"
    "Vz|210|plotVz|128 128 0|100"
    "Mz|225|plotMz|179 51 0|100"
    "T|240|plotT|252 128 252|20"
)

sesion_abrir_ejemplo ingresoDatos.txt 8

# Combo ELU (el primero de la lista, arriba a la derecha)
sesion_clic $((ANCHO - 65)) 41
captura combo_elu; base_sin_calculo="$ultima"

# Sin análisis, los comandos de resultados encienden su flag y no dibujan nada
colores=()
for b in "${BOTONES[@]:1}"; do
    IFS='|' read -r _ _ _ color _ <<<"$b"
    colores+=("$color")
done
read -r -a cuentas_base < <(en_escena "$base_sin_calculo" "${colores[@]}")
for b in "${BOTONES[@]:1}"; do
    IFS='|' read -r etiqueta _ comando _ _ <<<"$b"
    sesion_comando "$comando"
    captura "sin_calculo_$etiqueta"
    read -r -a cuentas < <(en_escena "$ultima" "${colores[@]}")
    for i in "${!colores[@]}"; do
        [ "${cuentas[$i]}" -le $((cuentas_base[i] + 5)) ] ||
            sesion_falla "$comando sin análisis dibujó algo de color ${colores[$i]} (${cuentas_base[$i]} -> ${cuentas[$i]} píxeles)"
    done
    sesion_comando "$comando"
done
# Las cargas no necesitan análisis
sesion_clic 45 126
captura cargas_sin_calculo; cargas_antes="$ultima"
[ "$(en_escena "$ultima" "204 51 51")" -ge 30 ] || sesion_falla "no se ven las cargas antes del análisis"
sesion_clic_directo 45 126

sesion_clic $((ANCHO - 70)) $((ALTO - 72))
captura calculado; base="$ultima"
grep -q "Estructura inestable\|Análisis cancelado" "$SESION_SALIDA" &&
    sesion_falla "el pórtico de ejemplo no debería fallar"

# Cada botón por turno: su dibujo aparece, el botón queda encendido y el
# dibujo anterior se apaga
anterior=""
for b in "${BOTONES[@]}"; do
    IFS='|' read -r etiqueta y _ color minimo <<<"$b"
    sesion_clic 45 $((y + 6))
    captura "$etiqueta"
    n="$(en_escena "$ultima" "$color")"
    m="$(en_escena "$base" "$color")"
    [ "$n" -ge $((m + minimo)) ] ||
        sesion_falla "botón \"$etiqueta\": pocos píxeles de color $color ($m -> $n)"
    [ "$(sesion_contar_color "$ultima" 10 "$y" 70 12 $ENCENDIDO)" -ge 600 ] ||
        sesion_falla "el botón \"$etiqueta\" no quedó encendido"
    if [ -n "$anterior" ]; then
        IFS='|' read -r etiqueta_a y_a _ _ _ <<<"$anterior"
        [ "$(sesion_contar_color "$ultima" 10 "$y_a" 70 12 $ENCENDIDO)" -le 20 ] ||
            sesion_falla "el botón \"$etiqueta_a\" sigue encendido tras \"$etiqueta\""
    fi
    anterior="$b"
done

# Las cargas se ven igual antes y después del análisis
sesion_clic 45 126
captura cargas_calculado
n="$(en_escena "$ultima" "204 51 51")"
m="$(en_escena "$cargas_antes" "204 51 51")"
[ "$n" = "$m" ] || sesion_falla "las cargas cambiaron con el análisis ($m -> $n píxeles)"

# Con el combo SERV también activado, el momento se dibuja dos veces
sesion_clic 45 201
captura momento_elu; solo_elu="$(en_escena "$ultima" "179 51 0")"
sesion_clic $((ANCHO - 65)) 56
captura momento_dos_combos
dos="$(en_escena "$ultima" "179 51 0")"
[ "$dos" -gt "$solo_elu" ] || sesion_falla "el segundo combo no agregó su diagrama ($solo_elu -> $dos)"

sesion_tecla Escape
sesion_fin_correcto "Esc"
echo "resultados: bien"

// Archivos rotos: cada uno da su línea de aviso exacta y el mismo modelo que
// el archivo escrito con solo lo que el cargador tomó; nada va a otro objeto.

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "comunCargador.h"
#include "input/claseLeerArchivo.h"
#include "input/funcionLeerArchivo.h"


// Un número de la lista que ninguna fila lleva no va a la primera fila
TEST(CargadorAvisos, NumerosSinFila)
{
    probar({
        {"articulación de la barra 25 entre las barras 10 y 30",
         modelo("10 30", "articulacion: 0 1 0 1 25\n"), modelo(),
         {"Advertencia: la barra 25 (línea 7) de articulacion: no está en el modelo; se omite"},
         [] { EXPECT_EQ(barraUsuario(10).getArtFinY(), 1); }},
        {"giro de la barra 25", modelo("10 30", "rotacionBarra: 30 25\n"), modelo(),
         {"Advertencia: la barra 25 (línea 7) de rotacionBarra: no está en el modelo; se omite"}},
        {"sección de la barra 15 entre las barras 10 y 30",
         modelo("10 30", "seccionGenerica: G 0.01 1e-5 1e-5 1e-5 2e8 0.3 78.5 15\n"), modelo(),
         {"Advertencia: la barra 15 (línea 7) de seccionGenerica: no está en el modelo; se omite"},
         [] { EXPECT_EQ(barraUsuario(10).getNombreDeSeccion(), "R"); }},
        {"-0.5 en una lista de nudos", modelo("10 30", "puntual: D 5 0 0 0 0 0 -0.5 20\n"),
         modelo("10 30", "puntual: D 5 0 0 0 0 0 20\n"),
         {"Advertencia: el nudo -0.5 (línea 7) de puntual: no está en el modelo; se omite"},
         [] { EXPECT_EQ(nudo[0].getPxCombo(0), 0); }},
    });
}

// Una corrida que termina en un token que no es etiqueta lo nombra, y un
// bloque que queda con K números o menos dice que no se aplica
TEST(CargadorAvisos, CorridasCortadas)
{
    probar({
        {"coma decimal en una carga", modelo("10 30", "puntual: D 20,5 0 0 0 0 0 30\n"), modelo(),
         {"Advertencia: el bloque 2 de puntual: (D, línea 7) termina en 20,5 (línea 7), que no es un "
          "número ni una etiqueta del formato, sin valores ni lista; no se aplica"}},
        {"exponente en mayúscula en una sección",
         modelo("10 30", "seccionW: W 0.2 0.012 0.3 0.008 2E8 0.3 78.5 30\n"), modelo(),
         {"Advertencia: el bloque 1 de seccionW: (W, línea 7) termina en 2E8 (línea 7), que no es un "
          "número ni una etiqueta del formato, con 4 de sus 7 valores y ninguna barra; no se "
          "aplica"},
         [] { EXPECT_EQ(barraUsuario(30).getNombreDeSeccion(), "R"); }},
        {"lista cortada por una palabra", modelo("10 30", "apoyo: 1 1 1 0 0 0 20 y 30\n"),
         modelo("10 30", "apoyo: 1 1 1 0 0 0 20\n"),
         {"Advertencia: el bloque 2 de apoyo: (línea 7) termina en y (línea 7), que no es un número "
          "ni una etiqueta del formato; lo que sigue no se lee"}},
        {"bloque cortado por el fin del archivo", modelo("10 30", "apoyo: 1 1 1"), modelo(),
         {"Advertencia: el bloque 2 de apoyo: (línea 7) tiene 3 de sus 6 valores y ningún nudo; no "
          "se aplica"}},
        {"giro sin barras antes de otra etiqueta", modelo("10 30", "rotacionBarra: 90\nprecision: 2\n"),
         modelo("10 30", "precision: 2\n"),
         {"Advertencia: el bloque 1 de rotacionBarra: (línea 7) tiene su valor y ninguna barra; no "
          "se aplica"}},
        {"carga sin números", modelo("10 30", "distribuidaLocalY: L q 1 1 10\n"), modelo(),
         {"Advertencia: el bloque 1 de distribuidaLocalY: (L, línea 7) termina en q (línea 7), que "
          "no es un número ni una etiqueta del formato, sin valores ni lista; no se aplica"}},
        {"combo cortado por una coma decimal", modelo("10 30", "combo: SERV 1 D 1,6 L\n"),
         modelo("10 30", "combo: SERV 1 D\n"),
         {"Advertencia: el combo SERV (línea 7) de combo: termina en 1,6 (línea 7), que no es un "
          "número ni una etiqueta del formato; lo que sigue no se lee"}},
        {"bloque con nombre seguido de otra etiqueta",
         modelo("10 30", "puntual:\napoyo: 1 1 1 0 0 0 20\n"),
         modelo("10 30", "apoyo: 1 1 1 0 0 0 20\n"),
         {"Advertencia: el bloque 2 de puntual: (sin nombre, línea 7) no tiene nombre, valores ni "
          "lista: lo que sigue es la etiqueta apoyo: (línea 8); no se aplica"}},
        {"tabla de nudos cortada al final de una fila",
         "nudos: 10 0 0 0 20 4 0 0 30 4 0 3 x 40 8 0 3\n" + modelo().substr(modelo().find("barras:")),
         modelo(),
         {"Advertencia: la tabla nudos: (línea 1) termina en x (línea 1), que no es un número ni "
          "una etiqueta del formato; lo que sigue no se lee"}},
    });
}

// Un caso que ninguna carga aplicada define: una línea por (combo, caso)
TEST(CargadorAvisos, CasosSinCarga)
{
    std::string muchosNudos = "nudos:";
    for (int i = 1; i <= 200; i++) {
        muchosNudos += " " + std::to_string(i) + " " + std::to_string(i) + " 0 0";
    }
    muchosNudos += "\nbarras: 1 1 2 2 2 3\n";
    probar({
        {"caso repetido en un combo y en otro bloque del mismo combo",
         modelo("10 30", "combo: SERV 1 X 1 X\ncombo: SERV 2 X\n"),
         modelo("10 30", "combo: SERV 0 D\n"),
         {"Advertencia: el combo SERV (línea 7) nombra el caso X 2 veces (línea 7); sus factores "
          "se suman",
          "Advertencia: el combo SERV (línea 8) aparece en más de un bloque combo:; sus pares se "
          "suman al primero (línea 7)",
          "Advertencia: el combo SERV usa el caso X (línea 7), que ningún bloque de cargas define; "
          "aporta cero"}},
        {"un bloque que no aplica nada no define su caso",
         modelo("10 30", "puntual: W 1 0 0 0 0 0 99\ncombo: SERV 1 W\n"),
         modelo("10 30", "combo: SERV 0 D\n"),
         {"Advertencia: el nudo 99 (línea 7) de puntual: no está en el modelo; se omite",
          "Advertencia: el combo SERV usa el caso W (línea 8), que ningún bloque de cargas define; "
          "aporta cero"}},
        {"una carga distribuida sin lista tampoco",
         modelo("10 30", "distribuidaLocalY: V 1 1\ncombo: SERV 1 V\n"),
         modelo("10 30", "combo: SERV 0 D\n"),
         {"Advertencia: el bloque 1 de distribuidaLocalY: (V, línea 7) tiene sus 2 valores y "
          "ninguna barra; no se aplica",
          "Advertencia: el combo SERV usa el caso V (línea 8), que ningún bloque de cargas define; "
          "aporta cero"}},
        {"200 nudos y 2 barras: una sola línea por caso", muchosNudos + "combo: C 1 D 1 L\n",
         muchosNudos + "puntual: D 0 0 0 0 0 0 1\ncombo: C 1 D\n",
         {"Advertencia: el combo C usa el caso D (línea 3), que ningún bloque de cargas define; "
          "aporta cero",
          "Advertencia: el combo C usa el caso L (línea 3), que ningún bloque de cargas define; "
          "aporta cero"}},
    });
}

// Marca de orden, tokens con dos puntos ajenos al formato
TEST(CargadorAvisos, EtiquetasYTexto)
{
    probar({
        {"marca de orden de bytes de UTF-8", "\xEF\xBB\xBF" + modelo(), modelo(), {}},
        {"Nudos: al comienzo", "Nudos: 1 0 0 0\n" + modelo(), modelo(),
         {"Advertencia: Nudos: (línea 1) no es una etiqueta del formato; lo que sigue hasta la "
          "próxima etiqueta no se lee"}},
        {"nudo: tras una lista", modelo("10 30", "apoyo: 1 1 1 0 0 0 20 nudo: 30\n"),
         modelo("10 30", "apoyo: 1 1 1 0 0 0 20\n"),
         {"Advertencia: el bloque 2 de apoyo: (línea 7) termina en nudo: (línea 7), que no es un "
          "número ni una etiqueta del formato; lo que sigue no se lee"}},
        {"escala: tras un ajuste", modelo("10 30", "precision: 2 escala: 5\n"),
         modelo("10 30", "precision: 2\n"),
         {"Advertencia: escala: (línea 7) no es una etiqueta del formato; lo que sigue hasta la "
          "próxima etiqueta no se lee"}},
        // un archivo guardado con marca de orden y pegado tras otro (cat)
        {"marca de orden en medio del archivo", modelo() + "\xEF\xBB\xBF" "apoyo: 1 1 1 1 1 1 20\n",
         modelo(),
         {"Advertencia: el combo ELU (línea 6) de combo: termina en \xEF\xBB\xBF" "apoyo: (línea 7, "
          "con una marca de orden de bytes (U+FEFF)), que no es un número ni una etiqueta del "
          "formato; lo que sigue no se lee"}},
        {"marca de orden tras un ajuste",
         modelo("10 30", "precision: 2\n\xEF\xBB\xBF" "apoyo: 1 1 1 1 1 1 20\n"),
         modelo("10 30", "precision: 2\n"),
         {"Advertencia: \xEF\xBB\xBF" "apoyo: (línea 8, con una marca de orden de bytes (U+FEFF)) no "
          "es una etiqueta del formato; lo que sigue hasta la próxima etiqueta no se lee"}},
        {"espacio de ancho cero tras una etiqueta",
         modelo("10 30", "precision: 2\napoyo:\xE2\x80\x8B 1 1 1 1 1 1 20\n"),
         modelo("10 30", "precision: 2\n"),
         {"Advertencia: apoyo:\xE2\x80\x8B (línea 8, con un espacio de ancho cero (U+200B)) no es "
          "una etiqueta del formato; lo que sigue hasta la próxima etiqueta no se lee"}},
        {"espacio estrecho no separable en una lista",
         modelo("10 30", "apoyo: 1 1 1 0 0 0 20\xE2\x80\xAF" "30\n"), modelo(),
         {"Advertencia: el bloque 2 de apoyo: (línea 7) termina en 20\xE2\x80\xAF" "30 (línea 7, con "
          "un espacio estrecho no separable (U+202F)), que no es un número ni una etiqueta del "
          "formato, con sus 6 valores y ningún nudo; no se aplica"}},
        {"guion blando tras un número", modelo("10 30", "rotacionBarra: 30\xC2\xAD 30\n"), modelo(),
         {"Advertencia: el bloque 1 de rotacionBarra: (línea 7) termina en 30\xC2\xAD (línea 7, con "
          "un guion blando (U+00AD)), que no es un número ni una etiqueta del formato, sin "
          "valores ni lista; no se aplica"}},
        {"espacio fino como separador de miles",
         modelo("10 30", "puntual: L 1\xE2\x80\x89" "000 0 0 0 0 0 20\n"), modelo(),
         {"Advertencia: el bloque 2 de puntual: (L, línea 7) termina en 1\xE2\x80\x89" "000 (línea 7, "
          "con un espacio fino (U+2009)), que no es un número ni una etiqueta del formato, sin "
          "valores ni lista; no se aplica"}},
        {"espacio de cifra antes de un valor", modelo("10 30", "escalaN: \xE2\x80\x87" "0.5\n"),
         modelo(),
         {"Advertencia: el valor \xE2\x80\x87" "0.5 (línea 7, con un espacio de cifra (U+2007)) de la "
          "etiqueta escalaN: no es un real válido"}},
        {"espacio de ancho cero suelto", modelo("10 30", "escalaN: 0.5 \xE2\x80\x8B\n"),
         modelo("10 30", "escalaN: 0.5\n"),
         {"Advertencia: \xE2\x80\x8B (línea 7, con un espacio de ancho cero (U+200B)) no es parte de "
          "ningún bloque; no se lee"}},
        {"nombres terminados en dos puntos no son etiquetas",
         modelo("10 30", "puntual: D: 0 0 -1 0 0 0 20\ncombo: SERV: 1 D:\n"),
         modelo("10 30", "puntual: Dd 0 0 -1 0 0 0 20\ncombo: SERV: 1 Dd\n"), {}},
    });
    // UTF-16: una línea y un modelo vacío
    const char utf16[] = "\xFF\xFEn\0u\0d\0o\0s\0:\0 \0" "1\0 \0" "0\0 \0" "0\0 \0" "0\0";
    std::string salida = cargar(std::string(utf16, sizeof utf16 - 1));
    std::vector<std::string> v = avisosDe(salida);
    ASSERT_EQ(v.size(), 1u) << salida;
    EXPECT_EQ(v[0], "Advertencia: el archivo " + nombreArchivo +
                        " no es un archivo de texto plano (tiene bytes nulos); se lee como un "
                        "archivo vacío");
    EXPECT_EQ(noNudos, 0);
}

// Valores que ninguna sección puede tener: la sección no se aplica y sus
// barras quedan sin sección (también si otro bloque anterior les daba una)
TEST(CargadorAvisos, SeccionesImposibles)
{
    auto sinSeccion = [](int u) {
        return [u] { EXPECT_FALSE(barraUsuario(u).getBoolSeccion()) << "barra " << u; };
    };
    probar({
        {"base negativa", modelo("10", "seccionRectangular: M -0.2 0.4 2.5e7 0.2 24 30\n"),
         modelo("10"),
         {"Advertencia: la sección M (línea 7) del bloque 2 de seccionRectangular: tiene base = -0.2, que "
          "debe ser mayor que 0; no se aplica a las barras 30"},
         sinSeccion(30)},
        {"placa de espesor 0", modelo("10", "seccionPlaca: P 0.3 0 2e8 0.3 78.5 30\n"),
         modelo("10"),
         {"Advertencia: la sección P (línea 7) del bloque 1 de seccionPlaca: tiene altura = 0, que debe "
          "ser mayor que 0; no se aplica a las barras 30"},
         sinSeccion(30)},
        {"módulo de elasticidad 0",
         modelo("10", "seccionGenerica: G 0.01 1e-5 1e-5 1e-5 0 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección G (línea 7) del bloque 1 de seccionGenerica: tiene modElas = 0, que "
          "debe ser mayor que 0; no se aplica a las barras 30"},
         sinSeccion(30)},
        {"poisson 0.6", modelo("10", "seccionRectangular: M 0.2 0.4 2.5e7 0.6 24 30\n"),
         modelo("10"),
         {"Advertencia: la sección M (línea 7) del bloque 2 de seccionRectangular: tiene poisson = 0.6, "
          "que debe ser mayor que -1 y no mayor que 0.5; no se aplica a las barras 30"}},
        {"poisson -1", modelo("10", "seccionRectangular: M 0.2 0.4 2.5e7 -1 24 30\n"),
         modelo("10"),
         {"Advertencia: la sección M (línea 7) del bloque 2 de seccionRectangular: tiene poisson = -1, "
          "que debe ser mayor que -1 y no mayor que 0.5; no se aplica a las barras 30"}},
        {"peso específico negativo",
         modelo("10", "seccionRectangular: M 0.2 0.4 2.5e7 0.2 -24 30\n"), modelo("10"),
         {"Advertencia: la sección M (línea 7) del bloque 2 de seccionRectangular: tiene pesoEspecifico = "
          "-24, que no puede ser negativo; no se aplica a las barras 30"}},
        {"alas de una W más gruesas que el alma",
         modelo("10", "seccionW: W 0.2 0.2 0.3 0.008 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección W (línea 7) del bloque 1 de seccionW: tiene 2 grosorAla = 0.4, que no "
          "cabe en alma = 0.3; no se aplica a las barras 30"},
         sinSeccion(30)},
        {"alma de una W más ancha que el ala",
         modelo("10", "seccionW: W 0.2 0.012 0.3 0.3 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección W (línea 7) del bloque 1 de seccionW: tiene grosorAlma = 0.3, que no "
          "cabe en ala = 0.2; no se aplica a las barras 30"}},
        {"costanera con un radio que no cabe en el ala",
         modelo("10", "seccionCostanera: C 150 50 15 2 30 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección C (línea 7) del bloque 1 de seccionCostanera: tiene 2 radio + espesor "
          "= 62, que no cabe en ala = 50; no se aplica a las barras 30"}},
        {"costanera con un labio más corto que la esquina",
         modelo("10", "seccionCostanera: C 150 50 3 2 3 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección C (línea 7) del bloque 1 de seccionCostanera: tiene radio + espesor / "
          "2 = 4, que no cabe en labio = 3; no se aplica a las barras 30"}},
        {"genérica sin constante de torsión",
         modelo("10", "seccionGenerica: G 0.01 1e-5 1e-5 0 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección G (línea 7) del bloque 1 de seccionGenerica: tiene ModuloJ = 0, que "
          "debe ser mayor que 0; no se aplica a las barras 30"}},
        {"un bloque anterior válido no queda", 
         modelo("10 30", "seccionGenerica: G 0.01 1e-5 1e-5 0 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección G (línea 7) del bloque 1 de seccionGenerica: tiene ModuloJ = 0, que "
          "debe ser mayor que 0; no se aplica a las barras 30",
          "Advertencia: la barra 30 recibe sección del bloque 1 de seccionRectangular: (R, línea "
          "4) y del bloque 1 de seccionGenerica: (G, línea 7); vale el segundo"},
         sinSeccion(30)},
        {"dos barras", modelo("", "seccionPlaca: P 0.3 -0.02 2e8 0.3 78.5 10 30\n"), modelo(""),
         {"Advertencia: la sección P (línea 6) del bloque 1 de seccionPlaca: tiene altura = -0.02, que "
          "debe ser mayor que 0; no se aplica a las barras 10 30"},
         [] {
             EXPECT_FALSE(barraUsuario(10).getBoolSeccion());
             EXPECT_FALSE(barraUsuario(30).getBoolSeccion());
         }},
        {"un bloque posterior válido decide",
         modelo("10", "seccionRectangular: M 0 0.4 2.5e7 0.2 24 30\n"
                      "seccionGenerica: G 0.01 1e-5 1e-5 1e-5 2e8 0.3 78.5 30\n"),
         modelo("10", "seccionGenerica: G 0.01 1e-5 1e-5 1e-5 2e8 0.3 78.5 30\n"),
         {"Advertencia: la sección M (línea 7) del bloque 2 de seccionRectangular: tiene base = 0, que "
          "debe ser mayor que 0; no se aplica a las barras 30",
          "Advertencia: la barra 30 recibe sección del bloque 2 de seccionRectangular: (M, línea "
          "7) y del bloque 1 de seccionGenerica: (G, línea 8); vale el segundo"},
         [] { EXPECT_EQ(barraUsuario(30).getNombreDeSeccion(), "G"); }},
    });
}

// Combos mal escritos: una sola línea, en palabras
TEST(CargadorAvisos, CombosMalEscritos)
{
    probar({
        // e corta la lista como cualquier token que no es un número
        {"factor que no es un número", modelo("10 30", "combo: F 1 D e L\n"),
         modelo("10 30", "combo: F 1 D\n"),
         {"Advertencia: el combo F (línea 7) de combo: termina en e (línea 7), que no es un "
          "número ni una etiqueta del formato; lo que sigue no se lee"}},
        {"único factor sin caso al final", modelo("10 30", "combo: A 1.2"), modelo(),
         {"Advertencia: el combo A (línea 7) de combo: termina en el factor 1.2 (línea 7), sin "
          "caso, al final del archivo; no se usa"}},
        {"combo: al final, sin nombre", modelo("10 30", "combo:"), modelo(),
         {"Advertencia: el bloque 2 de combo: (línea 7) está al final del archivo, sin nombre ni "
          "pares (factor, caso); no se usa"}},
        {"último factor sin caso", modelo("10 30", "combo: A 1.2 D 1.6"),
         modelo("10 30", "combo: A 1.2 D"),
         {"Advertencia: el combo A (línea 7) de combo: termina en el factor 1.6 (línea 7), sin "
          "caso, al final del archivo; se omite"}},
        // una etiqueta tras un factor no es su caso: el bloque que abre se lee entero
        {"factor sin caso antes de otro combo",
         modelo("10 30", "combo: A 1.2 D 1.6\ncombo: B 1 D\n"),
         modelo("10 30", "combo: A 1.2 D\ncombo: B 1 D\n"),
         {"Advertencia: el combo A (línea 7) de combo: termina en el factor 1.6 (línea 7), sin "
          "caso: lo que sigue es la etiqueta combo: (línea 8); se omite"}},
        {"factor sin caso antes de un apoyo",
         modelo("10 30", "combo: A 1.2 D 1.6\napoyo: 1 1 1 0 0 0 20\n"),
         modelo("10 30", "combo: A 1.2 D\napoyo: 1 1 1 0 0 0 20\n"),
         {"Advertencia: el combo A (línea 7) de combo: termina en el factor 1.6 (línea 7), sin "
          "caso: lo que sigue es la etiqueta apoyo: (línea 8); se omite"}},
        {"único factor sin caso antes de otro combo", modelo("10 30", "combo: A 1.6\ncombo: B 1 D\n"),
         modelo("10 30", "combo: B 1 D\n"),
         {"Advertencia: el combo A (línea 7) de combo: termina en el factor 1.6 (línea 7), sin "
          "caso: lo que sigue es la etiqueta combo: (línea 8); no se usa"}},
        {"combo: sin nombre antes de otro combo", modelo("10 30", "combo:\ncombo: B 1 D\n"),
         modelo("10 30", "combo: B 1 D\n"),
         {"Advertencia: el bloque 2 de combo: (línea 7) no tiene nombre ni pares (factor, caso): "
          "lo que sigue es la etiqueta combo: (línea 8); no se usa"}},
        {"pesoPropio: al final, sin nombre", modelo("10 30", "combo: G 1 D\npesoPropio:"),
         modelo("10 30", "combo: G 1 D\n"),
         {"Advertencia: pesoPropio: (línea 8) no tiene nombre de caso, al final del archivo; no "
          "se aplica el peso propio"}},
        {"pesoPropio: sin nombre antes de un combo", modelo("10 30", "pesoPropio:\ncombo: G 1 D\n"),
         modelo("10 30", "combo: G 1 D\n"),
         {"Advertencia: pesoPropio: (línea 7) no tiene nombre de caso: lo que sigue es la "
          "etiqueta combo: (línea 8); no se aplica el peso propio"}},
    });
}

// El ejemplo que abre el primer comando: carga limpia, con todos los ajustes
TEST(CargadorAvisos, EjemploDeIngresoSinAdvertencias)
{
    reiniciarModelo();
    nombreArchivo = std::string(DIR_EJEMPLOS) + "/ingresoDatos.txt";
    std::string salida = capturarSalida([] { funcionLeerArchivo(); });
    EXPECT_EQ(salida.find("Advertencia"), std::string::npos) << salida;
    claseLeerArchivo lector;
    lector.setNombreArchivo(nombreArchivo);
    for (const ajusteFormato& a : ajustesFormato) {
        EXPECT_EQ(lector.getNoEtiquetas(a.etiqueta), 1) << a.etiqueta;
    }
    EXPECT_EQ(noNudos, 8);
}

// La barra de una sección rechazada queda sin sección: Calcular la nombra en
// lugar de resolver con rigidez nula o de dar un error que no dice qué falta
TEST(CargadorAvisos, CalcularNombraLaBarraDeUnaSeccionRechazada)
{
    cargar(modelo("10", "seccionRectangular: M 0.2 0.4 -2.5e7 0.2 24 30\n"));
    ASSERT_EQ(noBarras, 2);
    bool resuelto = true;
    std::string salida = capturarSalida([&] { resuelto = funcionSolve(); });
    EXPECT_FALSE(resuelto);
    EXPECT_EQ(mensajeAnalisis, "No están definidas E, poisson, o Sección del Elemento: 30");
    EXPECT_EQ(salida, mensajeAnalisis + "\n");
}

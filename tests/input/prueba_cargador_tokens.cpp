// Cada token del archivo se usa o se dice, con su línea; los números son
// números enteros del token; los valores fuera de su sentido y lo que un
// ingeniero revisaría en el modelo tienen su línea.
#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "app/plataforma.h"
#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "comunCargador.h"
#include "reescrituras.h"

namespace
{

// Tres barras en fila: 1-2-3-4 a lo largo de x, empotrada en 1
std::string tresBarras(const std::string& barras = "barras: 1 1 2 2 2 3 3 3 4\n",
                       const std::string& extra = "")
{
    return "nudos: 1 0 0 0 2 2 0 0 3 4 0 0 4 6 0 0\n" + barras +
           "apoyo: 1 1 1 1 1 1 1\n"
           "seccionRectangular: R 0.2 0.4 2.5e7 0.2 24 1 2 3\n"
           "puntual: D 0 0 -10 0 0 0 4\n"
           "combo: ELU 1 D\n" +
           extra;
}

}  // namespace

// Lo que ningún bloque lee se dice con su línea: etiquetas pegadas, valores
// de más, la lista del peso propio
TEST(CargadorTokens, CadaTokenSeUsaOSeDice)
{
    const std::string millon(1000000, 'x');
    probar({
        {"combo: pegado a su nombre tras otro combo", modelo("10 30", "combo:SERV 1 D\n"),
         modelo(),
         {"Advertencia: el combo ELU (línea 6) de combo: termina en combo:SERV (línea 7, falta "
          "un espacio después de combo:), que no es un número ni una etiqueta del formato; lo "
          "que sigue no se lee"}},
        {"combo: pegado a su nombre tras un ajuste", modelo("10 30", "precision: 2\ncombo:SERV 1 D\n"),
         modelo("10 30", "precision: 2\n"),
         {"Advertencia: combo:SERV (línea 8, falta un espacio después de combo:) no es una "
          "etiqueta del formato; lo que sigue hasta la próxima etiqueta no se lee"}},
        {"combo: con un espacio no separable",
         modelo("10 30", "precision: 2\ncombo:\xC2\xA0SERV 1 D\n"), modelo("10 30", "precision: 2\n"),
         {"Advertencia: combo:\xC2\xA0SERV (línea 8, con un espacio no separable (U+00A0)) no es una "
          "etiqueta del formato; lo que sigue hasta la próxima etiqueta no se lee"}},
        {"apoyo: pegado tras el peso propio",
         modelo("10 30", "pesoPropio: PP\napoyo:1 1 1 1 1 1 30\ncombo: G 1 PP\n"),
         modelo("10 30", "pesoPropio: PP\ncombo: G 1 PP\n"),
         {"Advertencia: apoyo:1 (línea 8, falta un espacio después de apoyo:) no es una "
          "etiqueta del formato; lo que sigue hasta la próxima etiqueta no se lee"}},
        {"un segundo valor tras un ajuste", modelo("10 30", "escalaN: 0.5 0.7\n"),
         modelo("10 30", "escalaN: 0.5\n"),
         {"Advertencia: 0.7 (línea 7) no es parte de ningún bloque; no se lee"}},
        {"una lista tras el peso propio", modelo("10 30", "pesoPropio: PP 30\ncombo: G 1 PP\n"),
         modelo("10 30", "pesoPropio: PP\ncombo: G 1 PP\n"),
         {"Advertencia: pesoPropio: (línea 7) da peso propio a todas las barras; la lista 30 "
          "(línea 7) no se usa"}},
        {"palabras sueltas antes de la primera etiqueta", "hola mundo\n" + modelo(), modelo(),
         {"Advertencia: hola mundo (línea 1) no es parte de ningún bloque; no se lee"}},
        {"un token de un millón de caracteres", modelo("10 30", "puntual: L " + millon + "\n"),
         modelo(),
         {"Advertencia: el bloque 2 de puntual: (L, línea 7) termina en " + std::string(40, 'x') +
          "… (línea 7), que no es un número ni una etiqueta del formato, sin valores ni lista; "
          "no se aplica"}},
        {"un ajuste repetido: vale el último", modelo("10 30", "escalaN: 0.5\nescalaN: 0.2\n"),
         modelo("10 30", "escalaN: 0.2\n"),
         {"Advertencia: la etiqueta escalaN: aparece 2 veces (líneas 7 y 8); vale la última"}},
    });
}

// Un token con caracteres de número que la conversión no usa entero no es un
// número: se nombra y corta su corrida como cualquier token ajeno
TEST(CargadorTokens, NumerosQueNoSonNumeros)
{
    probar({
        {"2.5e como módulo de elasticidad", modelo("", "seccionRectangular: R 0.2 0.4 2.5e 0.2 24 10 30\n"),
         modelo(""),
         {"Advertencia: el bloque 1 de seccionRectangular: (R, línea 6) termina en 2.5e (línea "
          "6), que no es un número ni una etiqueta del formato, con 2 de sus 5 valores y ninguna "
          "barra; no se aplica"}},
        {"8.0.5 tras la última fila de nudos",
         "nudos: 10 0 0 0 20 4 0 0 30 4 0 3 8.0.5\n" + modelo().substr(modelo().find("barras:")),
         modelo(),
         {"Advertencia: la tabla nudos: (línea 1) termina en 8.0.5 (línea 1), que no es un "
          "número ni una etiqueta del formato; lo que sigue no se lee"}},
        {"2-3 como rango en una lista", modelo("10 30", "puntual: L 0 0 -5 0 0 0 10-30\n"),
         modelo(),
         {"Advertencia: el bloque 2 de puntual: (L, línea 7) termina en 10-30 (línea 7), que no "
          "es un número ni una etiqueta del formato, con sus 6 valores y ningún nudo; no se "
          "aplica"}},
        {"1..6 como factor de un combo", modelo("10 30", "combo: SERV 1 D 1..6 D\n"),
         modelo("10 30", "combo: SERV 1 D\n"),
         {"Advertencia: el combo SERV (línea 7) de combo: termina en 1..6 (línea 7), que no es "
          "un número ni una etiqueta del formato; lo que sigue no se lee"}},
        {"5- como giro", modelo("10 30", "rotacionBarra: 5- 30\n"), modelo(),
         {"Advertencia: el bloque 1 de rotacionBarra: (línea 7) termina en 5- (línea 7), que no "
          "es un número ni una etiqueta del formato, sin valores ni lista; no se aplica"}},
        {"e como factor de un combo", modelo("10 30", "combo: F 1 D e D\n"),
         modelo("10 30", "combo: F 1 D\n"),
         {"Advertencia: el combo F (línea 7) de combo: termina en e (línea 7), que no es un "
          "número ni una etiqueta del formato; lo que sigue no se lee"}},
    });
}

// Un número de nudo o de barra que no es entero se trunca, y se dice
TEST(CargadorTokens, NumerosDeUsuarioNoEnteros)
{
    std::string correcto = modelo();
    probar({
        {"2.5 como número de nudo", "nudos: 10 0 0 0 20.5 4 0 0 30 4 0 3\n" + correcto.substr(correcto.find("barras:")),
         correcto, {"Advertencia: el nudo 20.5 (línea 1) de nudos: no es un número entero; se toma como 20"}},
        {"número de barra y extremo no enteros",
         "nudos: 10 0 0 0 20 4 0 0 30 4 0 3\nbarras: 10.5 10 20.7 30 20 30\n" +
             correcto.substr(correcto.find("apoyo:")),
         correcto,
         {"Advertencia: la barra 10.5 (línea 2) de barras: no es un número entero; se toma como 10",
          "Advertencia: el nudo 20.7 (línea 2) de barras: no es un número entero; se toma como 20"}},
        {"30.9 en una lista de barras", modelo("10 30", "rotacionBarra: 45 30.9\n"),
         modelo("10 30", "rotacionBarra: 45 30\n"),
         {"Advertencia: la barra 30.9 (línea 7) de rotacionBarra: no es un número entero; se "
          "toma como 30"}},
        {"-0.5 como número de nudo es el nudo 0",
         "nudos: -0.5 0 0 0 20 4 0 0 30 4 0 3\nbarras: 10 0 20 30 20 30\napoyo: 1 1 1 1 1 1 0\n"
         "seccionRectangular: R 0.2 0.4 2.5e7 0.2 24 10 30\npuntual: D 0 0 -10 0 0 0 30\n"
         "combo: ELU 1.2 D\n",
         "nudos: 0 0 0 0 20 4 0 0 30 4 0 3\nbarras: 10 0 20 30 20 30\napoyo: 1 1 1 1 1 1 0\n"
         "seccionRectangular: R 0.2 0.4 2.5e7 0.2 24 10 30\npuntual: D 0 0 -10 0 0 0 30\n"
         "combo: ELU 1.2 D\n",
         {"Advertencia: el nudo -0.5 (línea 1) de nudos: no es un número entero; se toma como 0"}},
    });
}

// Valores fuera de su sentido: códigos de apoyo, fijaciones, giros y la
// dirección de una carga global
TEST(CargadorTokens, ValoresFueraDeSuSentido)
{
    probar({
        {"código de apoyo 0.5", modelo("10 30", "apoyo: 1 1 1 0 0 0.5 30\n"), modelo(),
         {"Advertencia: el bloque 2 de apoyo: (línea 7) tiene el código 0.5 (línea 7), que no es "
          "0 ni 1; no se aplica"}},
        {"código de apoyo 2", modelo("10 30", "apoyo: 2 1 1 0 0 0 30\n"), modelo(),
         {"Advertencia: el bloque 2 de apoyo: (línea 7) tiene el código 2 (línea 7), que no es 0 "
          "ni 1; no se aplica"}},
        {"código de apoyo -1", modelo("10 30", "apoyo: 1 -1 1 0 0 0 30\n"), modelo(),
         {"Advertencia: el bloque 2 de apoyo: (línea 7) tiene el código -1 (línea 7), que no es "
          "0 ni 1; no se aplica"}},
        {"fijaciones -0.2 y 1.5", modelo("10 30", "articulacion: -0.2 1.5 0.5 1 30\n"),
         modelo("10 30", "articulacion: 0 1 0.5 1 30\n"),
         {"Advertencia: el bloque 1 de articulacion: (línea 7) tiene la fijación -0.2 (línea 7), "
          "fuera de 0 a 1; se toma 0",
          "Advertencia: el bloque 1 de articulacion: (línea 7) tiene la fijación 1.5 (línea 7), "
          "fuera de 0 a 1; se toma 1"}},
        {"giro de 1e300 grados", modelo("10 30", "rotacionBarra: 1e300 30\n"), modelo(),
         {"Advertencia: el bloque 1 de rotacionBarra: (línea 7) tiene el giro 1e300 (línea 7), "
          "fuera de -360 a 360 grados; no se aplica"}},
        {"dirección global enorme", modelo("10 30", "distribuidaGlobal: D 2 2 0 0 -1e200 10\n"),
         modelo("10 30", "distribuidaGlobal: D 2 2 0 0 -1 10\n"), {}},
        {"dirección global diminuta", modelo("10 30", "distribuidaGlobal: D 2 2 0 0 -1e-200 10\n"),
         modelo("10 30", "distribuidaGlobal: D 2 2 0 0 -1 10\n"), {}},
    });
    probarAvisos({
        {"giro de -360 grados sí vale", modelo("10 30", "rotacionBarra: -360 30\n"), {},
         [] { EXPECT_NEAR(barraUsuario(30).getAlfaDeg(), -270, 1e-12); }},
        // barra 10 horizontal según x: y local es +Z, z local es -Y... la carga
        // (3, 0, -4)/5 da 0.6 axial y -0.8 según y local
        {"dirección global inclinada y enorme",
         modelo("10 30", "distribuidaGlobal: D 2 2 3e200 0 -4e200 10\ncombo: G 1 D\n"), {},
         [] {
             objBarra3d& b = barraUsuario(10);
             EXPECT_NEAR(b.getFxIniCombo(1), 2 * 0.6, 1e-12);
             EXPECT_NEAR(b.getFyIniCombo(1), 2 * -0.8, 1e-12);
             EXPECT_NEAR(b.getFzIniCombo(1), 0, 1e-12);
         }},
    });
}

// Lo que un ingeniero revisaría: el modelo queda como lo dice el archivo,
// con una línea que lo nombra
TEST(CargadorTokens, RevisionDelModelo)
{
    const std::string nudosSeparados =
        "nudos: 1 0 0 0 2 4 0 0 3 4 0 0 4 8 0 0\nbarras: 1 1 2 2 3 4\n"
        "apoyo: 1 1 1 1 1 1 1 4\nseccionRectangular: R 0.2 0.4 2.5e7 0.2 24 1 2\n"
        "puntual: D 0 0 -10 0 0 0 2\ncombo: ELU 1 D\n";
    probarAvisos({
        {"dos nudos en el mismo punto que ninguna barra une", nudosSeparados,
         {"Advertencia: los nudos 2 (línea 1) y 3 (línea 1) están en el mismo punto (4, 0, 0) y "
          "ninguna barra los une; la estructura queda separada allí"},
         [] {
             // el pórtico queda partido: el nudo 2 es la punta de un voladizo
             ASSERT_EQ(noNudos, 4);
             bool resuelto = false;
             capturarSalida([&] { resuelto = funcionSolve(); });
             ASSERT_TRUE(resuelto);
             double I = 0.2 * 0.4 * 0.4 * 0.4 / 12;
             EXPECT_NEAR(nudoUsuario(2).getDesplazamientoZ(0), -10 * 64 / (3 * 2.5e7 * I), 1e-9);
         }},
        {"a menos de una milmillonésima del tamaño",
         "nudos: 1 0 0 0 2 4 0 0 3 4.000000000001 0 0 4 8 0 0\nbarras: 1 1 2 2 3 4\n",
         {"Advertencia: los nudos 2 (línea 1) y 3 (línea 1) están en el mismo punto (4, 0, 0) y "
          "ninguna barra los une; la estructura queda separada allí"}},
        {"tres nudos en un punto y otros lejos",
         "nudos: 1 0 0 0 5 1 1 1 2 1 1 1 3 1 1 1 4 9 9 9\nbarras: 1 1 5 2 2 4\n",
         {"Advertencia: los nudos 5 (línea 1) y 2 (línea 1) están en el mismo punto (1, 1, 1) y "
          "ninguna barra los une; la estructura queda separada allí",
          "Advertencia: los nudos 5 (línea 1) y 3 (línea 1) están en el mismo punto (1, 1, 1) y "
          "ninguna barra los une; la estructura queda separada allí"}},
        {"dos barras sobre los mismos nudos", tresBarras("barras: 1 1 2 2 2 3 3 3 4 4 3 2\n"),
         {"Advertencia: las barras 2 (línea 2) y 4 (línea 2) unen los mismos nudos, 2 y 3; su "
          "rigidez y su peso propio cuentan dos veces"}},
        {"una barra más corta que una millonésima del modelo",
         "nudos: 1 0 0 0 2 5 0 0 3 5 0 0.000001\nbarras: 1 1 2 2 2 3\n",
         {"Advertencia: la barra 2 (línea 2) mide 1e-06, menos de una millonésima del tamaño del "
          "modelo (5); revisar sus nudos 2 y 3"}},
        // el tamaño es el de los nudos que usan las barras: el nudo de
        // referencia lejano no hace casi nulas a todas las barras
        {"coordenadas UTM y un nudo de referencia lejano con apoyo",
         "nudos: 1 0 0 0 2 350000 6300000 0 3 350000 6300000 3\nbarras: 1 2 3\n"
         "apoyo: 1 1 1 1 1 1 1 2\nseccionRectangular: R 0.3 0.3 2.5e7 0.2 24 1\n"
         "puntual: P 10 0 0 0 0 0 3\ncombo: C 1 P\n",
         {},
         [] {
             // voladizo de 3 con carga en la punta: P L^3 / (3 E I)
             bool resuelto = false;
             capturarSalida([&] { resuelto = funcionSolve(); });
             ASSERT_TRUE(resuelto);
             double I = 0.3 * 0.3 * 0.3 * 0.3 / 12;
             EXPECT_NEAR(nudoUsuario(3).getDesplazamientoX(0), 10 * 27 / (3 * 2.5e7 * I), 1e-12);
         }},
        {"UTM con barras de 0.5: solo los nudos que de verdad coinciden",
         "nudos: 1 0 0 0 2 6000000 6000000 0 3 6000000 6000000 0.5 4 6000000.5 6000000 0.5\n"
         "5 6000000.5 6000000 0 6 6000000.5 6000000 0.5\nbarras: 1 2 3 2 3 4 3 5 6\n",
         {"Advertencia: los nudos 4 (línea 1) y 6 (línea 2) están en el mismo punto (6000000.5, "
          "6000000, 0.5) y ninguna barra los une; la estructura queda separada allí"}},
        {"UTM: una barra casi nula frente a las que usan sus nudos",
         "nudos: 1 0 0 0 2 350000 6300000 0 3 350000 6300000 3 4 350000 6300000 3.000001\n"
         "barras: 1 2 3 2 3 4\n",
         {"Advertencia: la barra 2 (línea 2) mide 1e-06, menos de una millonésima del tamaño del "
          "modelo (3); revisar sus nudos 3 y 4"}},
        // viga de dos vanos escrita como una sola barra 2-5 que pasa por el
        // nudo 3, cabeza de la columna central
        {"una barra que pasa por un nudo sin unirlo",
         "nudos: 1 0 0 0 2 0 0 3 3 5 0 3 4 5 0 0 5 10 0 3 6 10 0 0\n"
         "barras: 1 1 2 2 4 3 3 2 5 4 6 5\napoyo: 1 1 1 1 1 1 1 4 6\n"
         "seccionRectangular: R 0.3 0.5 2.5e7 0.2 24 1 2 3 4\n"
         "distribuidaGlobal: Q 10 10 0 0 -1 3\ncombo: C 1 Q\n",
         {"Advertencia: el nudo 3 (línea 1) está sobre la barra 3 (línea 2), entre sus nudos 2 y 5, "
          "y la barra pasa por él sin unirlo; si deben unirse, partir la barra en ese nudo"},
         [] {
             // el modelo es el del archivo: la columna central no recibe nada
             bool resuelto = false;
             capturarSalida([&] { resuelto = funcionSolve(); });
             ASSERT_TRUE(resuelto);
             EXPECT_EQ(nudoUsuario(3).getDesplazamientoZ(0), 0);
             EXPECT_LT(nudoUsuario(2).getDesplazamientoZ(0), 0);
         }},
        {"varios nudos sobre una barra, a una diezmilésima de su eje",
         "nudos: 1 0 0 0 2 9 0 3 3 3 0 1.0003 4 6 0 2 5 6 0 0 6 3 0 0\n"
         "barras: 1 1 2 2 6 3 3 5 4\n",
         {"Advertencia: los nudos 3 4 están sobre la barra 1 (línea 2), entre sus nudos 1 y 2, y la "
          "barra pasa por ellos sin unirlos; si deben unirse, partir la barra en esos nudos"}},
        {"arriostramiento en X: las diagonales se cruzan sin nudo",
         "nudos: 1 0 0 0 2 6 0 0 3 6 0 4 4 0 0 4\nbarras: 1 1 4 2 2 3 3 4 3 4 1 3 5 2 4\n", {}},
        {"viga continua: barras en línea que se tocan en un nudo", tresBarras(), {}},
        {"una barra a lo largo de otras dos",
         "nudos: 1 0 0 0 2 0 0 3 3 5 0 3 4 5 0 0 5 10 0 3 6 10 0 0\n"
         "barras: 1 1 2 2 4 3 3 2 5 4 6 5 5 2 3 6 3 5\n",
         {"Advertencia: la barra 3 (línea 2), entre los nudos 2 y 5, se superpone a las barras 5 6; "
          "su rigidez y su peso propio cuentan dos veces donde se superponen"}},
        {"dos barras en línea que se solapan en parte",
         "nudos: 1 0 0 0 2 2 0 0 3 4 0 0 4 6 0 0\nbarras: 1 1 3 2 2 4\n",
         {"Advertencia: la barra 1 (línea 2), entre los nudos 1 y 3, se superpone a la barra 2; su "
          "rigidez y su peso propio cuentan dos veces donde se superponen"}},
    });
}

// Muchos avisos de una clase: los primeros 20 y la cuenta de los demás
TEST(CargadorTokens, AvisosRepetidosSeCuentan)
{
    // Cada clase que se repite por objeto o por token: 20 líneas y la cuenta.
    // linea(k) es el aviso del objeto k, de 1 a 25.
    auto veinticinco = [](const std::function<std::string(int)>& linea,
                          const std::string& resumen) {
        std::vector<std::string> v;
        for (int k = 1; k <= 20; k++) {
            v.push_back(linea(k));
        }
        v.push_back("Advertencia: y 5 avisos más de " + resumen + ", que no se escriben");
        return v;
    };
    const std::string dosNudos = "nudos: 1 0 0 0 2 1 0 0\nbarras: 1 1 2\n";
    std::string puntos = "nudos:", combos = dosNudos, apoyos = dosNudos + "apoyo: 1 1 1 1 1 1",
                filas = "nudos:\n", vigas = "nudos:\n", barras = "barras:\n";
    for (int k = 1; k <= 25; k++) {
        std::string n = std::to_string(k);
        // el nudo k y el 100 + k en un mismo punto
        puntos += "\n" + n + " " + n + " 0 0 " + std::to_string(100 + k) + " " + n + " 0 0";
        combos += "combo: C" + n + "\n";
        apoyos += " " + std::to_string(100 + k);
        filas += n + " " + n + " 0 0\n" + n + " " + n + " 0 1\n";
        // vigas de 2 que pasan por un nudo suelto en su medio
        vigas += std::to_string(3 * k) + " 0 " + n + " 0 " + std::to_string(3 * k + 1) + " 2 " + n +
                 " 0 " + std::to_string(3 * k + 2) + " 1 " + n + " 0\n";
        barras += n + " " + std::to_string(3 * k) + " " + std::to_string(3 * k + 1) + "\n";
    }
    auto linea = [](int k) { return std::to_string(k); };
    probarAvisos({
        {"25 pares de nudos en un mismo punto", puntos + "\n",
         veinticinco(
                     [&](int k) {
                         return "Advertencia: los nudos " + linea(k) + " (línea " + linea(k + 1) +
                                ") y " + linea(100 + k) + " (línea " + linea(k + 1) +
                                ") están en el mismo punto (" + linea(k) +
                                ", 0, 0) y ninguna barra los une; la estructura queda separada "
                                "allí";
                     },
                     "nudos en el mismo punto que otro")},
        {"25 combos sin pares", combos,
         veinticinco(
                     [&](int k) {
                         return "Advertencia: el combo C" + linea(k) + " (línea " + linea(k + 2) +
                                ") de combo: no tiene ningún par (factor, caso); no se usa";
                     },
                     "combos sin pares (factor, caso)")},
        {"25 nudos de una lista que no están en el modelo", apoyos + "\n",
         veinticinco(
                     [&](int k) {
                         return "Advertencia: el nudo " + linea(100 + k) +
                                " (línea 3) de apoyo: no está en el modelo; se omite";
                     },
                     "números de apoyo: que no están en el modelo")},
        {"25 nudos repetidos en la tabla", filas,
         veinticinco(
                     [&](int k) {
                         return "Advertencia: el nudo " + linea(k) + " (línea " +
                                linea(2 * k) + ") aparece más de una vez en nudos:; queda su fila " +
                                linea(2 * k) + " (línea " + linea(2 * k + 1) + ")";
                     },
                     "números repetidos en nudos:")},
        {"25 barras que pasan por un nudo", vigas + barras,
         veinticinco(
                     [&](int k) {
                         return "Advertencia: el nudo " + linea(3 * k + 2) + " (línea " +
                                linea(k + 1) + ") está sobre la barra " + linea(k) + " (línea " +
                                linea(k + 27) + "), entre sus nudos " + linea(3 * k) + " y " +
                                linea(3 * k + 1) +
                                ", y la barra pasa por él sin unirlo; si deben unirse, partir la "
                                "barra en ese nudo";
                     },
                     "barras que pasan por nudos sin unirlos")},
    });
}

// El mismo objeto dos veces en una lista, en dos bloques que reemplazan, o
// el mismo caso dos veces en un combo: lo que vale se dice
TEST(CargadorTokens, RepetidosYReemplazados)
{
    probar({
        {"el mismo nudo dos veces en una carga",
         modelo("10 30", "puntual: L 0 0 -1 0 0 0 20 20\ncombo: SERV 1 L\n"),
         modelo("10 30", "puntual: L 0 0 -2 0 0 0 20\ncombo: SERV 1 L\n"),
         {"Advertencia: el nudo 20 (línea 7) ya está en la lista del bloque 2 de puntual: (L, "
          "línea 7); recibe la carga otra vez"}},
        {"la misma barra dos veces en una sección", modelo("10 30 30"), modelo(),
         {"Advertencia: la barra 30 (línea 4) ya está en la lista del bloque 1 de "
          "seccionRectangular: (R, línea 4); se aplica una vez"}},
        {"una barra con sección de dos bloques",
         modelo("10 30", "seccionGenerica: G 0.01 1e-5 1e-5 1e-5 2e8 0.3 78.5 30\n"),
         modelo("10", "seccionGenerica: G 0.01 1e-5 1e-5 1e-5 2e8 0.3 78.5 30\n"),
         {"Advertencia: la barra 30 recibe sección del bloque 1 de seccionRectangular: (R, línea "
          "4) y del bloque 1 de seccionGenerica: (G, línea 7); vale el segundo"}},
        {"un nudo con apoyo de dos bloques", modelo("10 30", "apoyo: 1 1 1 0 0 0 10 20\n"),
         "nudos: 10 0 0 0 20 4 0 0 30 4 0 3\nbarras: 10 10 20 30 20 30\n"
         "apoyo: 1 1 1 0 0 0 10 20\n"
         "seccionRectangular: R 0.2 0.4 2.5e7 0.2 24 10 30\npuntual: D 0 0 -10 0 0 0 30\n"
         "combo: ELU 1.2 D\n",
         {"Advertencia: el nudo 10 recibe apoyo del bloque 1 de apoyo: (línea 3) y del bloque 2 "
          "de apoyo: (línea 7); vale el segundo"}},
        {"el mismo caso dos veces en un combo", modelo("10 30", "combo: SERV 1 D\n0.5 D\n"),
         modelo("10 30", "combo: SERV 1.5 D\n"),
         {"Advertencia: el combo SERV (línea 7) nombra el caso D 2 veces (líneas 7 y 8); sus "
          "factores se suman"}},
    });
}

// Un caso con cargas que ningún combo usa no actúa; un nombre de caso que es
// un número suele ser un nombre olvidado
TEST(CargadorTokens, CasosQueNoActuan)
{
    probarAvisos({
        {"un caso que ningún combo usa", modelo("10 30", "puntual: W 1 0 0 0 0 0 20\n"),
         {"Advertencia: el caso W (línea 7) tiene cargas y ningún combo lo usa; no actúa en el "
          "análisis"}},
        {"el nombre del caso olvidado", modelo("10 30", "distribuidaLocalZ: -3 -3 1 30\n"),
         {"Advertencia: el caso -3 (línea 7) tiene cargas y ningún combo lo usa; no actúa en el "
          "análisis (su nombre es un número: quizás falta el nombre del caso en su bloque)"}},
        {"un caso con nombre de número que un combo usa", modelo("10 30", "distribuidaLocalZ: 7 -3 1 30\ncombo: C 1 7\n"),
         {}},
    });
}

// Tablas y bloques escritos a través de las líneas
TEST(CargadorTokens, LineasDeTablasYBloques)
{
    probarAvisos({
        {"una cuarta columna en barras:",
         "nudos: 1 0 0 0 2 2 0 0 3 4 0 0 4 6 0 0\nbarras:\n1 1 2 0\n2 2 3 0\n3 3 4 0\n",
         {"Advertencia: la línea 3 de la tabla barras: tiene 4 números y una fila tiene 3 (y 2 "
          "líneas más así); las filas se leen de corrido, de 3 en 3",
          // lo que resulta de leerlas de corrido: 1 1 2 | 0 2 2 | 3 0 3 | 3 4 0
          "Advertencia: la barra 3 (línea 4) aparece más de una vez en barras:; queda su fila 4 "
          "(línea 5)",
          "Advertencia: la barra 0 (línea 3) de barras: une los nudos 2 y 2, que coinciden en el "
          "espacio; se descarta",
          "Advertencia: la barra 3 (línea 5) de barras: usa el nudo 0, que no está en nudos:; se "
          "descarta"}},
        {"apoyo: con cinco códigos", modelo("10 30", "apoyo: 1 1 1 1 1\n1 20 30\n"),
         {"Advertencia: el bloque 2 de apoyo: (línea 7) tiene 5 de sus 6 valores antes de la "
          "línea 8 y toma el último, 1, de la línea donde empieza su lista; revisar si falta un "
          "valor"},
         [] { EXPECT_EQ(nudoUsuario(20).getVectorApoyo().sum(), 6); }},
        {"valores en varias líneas y la lista aparte",
         modelo("", "seccionGenerica: G\n0.01 1e-5\n1e-5 1e-5 2e8 0.3 78.5\n10 30\n"), {}},
        // un valor de menos en la fila 2 y uno de más en la 3: las filas
        // que siguen se leen corridas
        {"una fila partida de otro modo que las demás",
         "nudos:\n1\n0 0 0\n2\n6 0\n3\n0 5 0 0\n4\n6 5 0\n",
         {"Advertencia: la fila 2 de la tabla nudos: (línea 4) está partida en líneas de 1 + 2 + "
          "1 números y las demás filas partidas en líneas de 1 + 3; las filas se leen de corrido, "
          "de 4 en 4"},
         [] { EXPECT_EQ(nudoUsuario(2).getZ(), 3); }},
        {"apoyo: con cinco códigos y un solo nudo en la línea siguiente",
         modelo("10 30", "apoyo: 1 1 1 1 1\n20\n"),
         {"Advertencia: el bloque 2 de apoyo: (línea 7) tiene 5 de sus 6 valores antes de la "
          "línea 8 y toma el último, 20, de la línea donde empieza su lista, y queda sin ningún "
          "nudo: no se aplica; revisar si falta un valor"},
         [] { EXPECT_EQ(nudoUsuario(20).getVectorApoyo().sum(), 0); }},
    });
    // Filas partidas con un mismo corte y valores fijos partidos en dos
    // líneas con la lista en la segunda: el mismo modelo, sin una línea
    const std::string tablas = modelo().substr(modelo().find("apoyo:"));
    probar({
        {"un número por línea",
         "nudos:\n10\n0\n0\n0\n20\n4\n0\n0\n30\n4\n0\n3\nbarras:\n10\n10\n20\n30\n20\n30\n" +
             tablas,
         modelo(), {}},
        {"el número en una línea y el resto en la siguiente",
         "nudos:\n10\n0 0 0\n20\n4 0 0\n30\n4 0 3\nbarras:\n10\n10 20\n30\n20 30\n" + tablas,
         modelo(), {}},
        {"filas partidas 2 + 2", "nudos:\n10 0\n0 0\n20 4\n0 0\n30 4\n0 3\nbarras: 10 10 20 30 20 30\n" + tablas,
         modelo(), {}},
        {"una sección con sus valores en dos líneas",
         modelo("", "seccionRectangular: R\n0.2 0.4\n2.5e7 0.2 24   10 30\n"), modelo(), {}},
        {"una carga puntual con sus valores en dos líneas",
         modelo("10 30", "puntual: W\n8 0 0\n0 0 0   20\ncombo: S 1 W\n"),
         modelo("10 30", "puntual: W 8 0 0 0 0 0 20\ncombo: S 1 W\n"), {}},
    });
}

// Números de nudo y de barra de ocho cifras, como los numeran los programas
// de dibujo: el mismo modelo, sin una línea. El mapa de numeración tiene una
// entrada por número, hasta el mayor; si no cabe en la memoria disponible se
// descartan las filas de número mayor que el que cabe, y se dice.
TEST(CargadorTokens, NumerosDeOchoCifras)
{
    cargaCalculada comun = cargarYCalcular(tresBarras());
    ASSERT_TRUE(comun.resuelto);
    cargaCalculada largos = cargarYCalcular(
        "nudos: 12345671 0 0 0 12345672 2 0 0 12345673 4 0 0 12345678 6 0 0\n"
        "barras: 10000001 12345671 12345672 10000002 12345672 12345673 10000003 12345673 "
        "12345678\n"
        "apoyo: 1 1 1 1 1 1 12345671\n"
        "seccionRectangular: R 0.2 0.4 2.5e7 0.2 24 10000001 10000002 10000003\n"
        "puntual: D 0 0 -10 0 0 0 12345678\ncombo: ELU 1 D\n");
    EXPECT_EQ(avisosDe(largos.salida), std::vector<std::string>{}) << largos.salida;
    ASSERT_EQ(punteroNudos.size(), 12345679);
    ASSERT_EQ(punteroBarras.size(), 10000004);
    EXPECT_EQ(punteroNudos(12345678), 3);
    EXPECT_EQ(punteroBarras(10000003), 2);
    ASSERT_TRUE(largos.resuelto);
    EXPECT_TRUE(comun.u == largos.u && comun.reacciones == largos.reacciones);

    // 99999999 pide un mapa de 400 MB: sin él, el modelo de tres barras
    std::string grande = tresBarras("barras: 1 1 2 2 2 3 3 3 4 4 4 99999999\n");
    grande.replace(grande.find("4 6 0 0"), 7, "4 6 0 0 99999999 8 0 0");
    fijarTopeDeMemoria(100e6);
    probar({
        {"un número de nudo cuyo mapa no cabe en la memoria", grande, tresBarras(),
         {"Advertencia: memoria insuficiente: numerar hasta el nudo 99999999 (línea 1) necesita "
          "400 MB y hay 100 MB disponibles; se descartan las filas de nudos: con número mayor "
          "que 24999999 (1 fila)",
          "Advertencia: la barra 4 (línea 2) de barras: usa el nudo 99999999, que no está en "
          "nudos:; se descarta"}},
    });
    fijarTopeDeMemoria(0);
}

// Una tabla cortada nombra el token y la fila donde se corta
TEST(CargadorTokens, TablasCortadas)
{
    const std::string resto = "barras: 10 10 20\n";
    probarAvisos({
        {"un valor que falta",
         "nudos: 10 0 0 0 20 4 0 30 4 0 3\n" + resto,
         {"Advertencia: la tabla nudos: (línea 1) se corta en la fila 3 (línea 1), con 3 de sus 4 "
          "valores, donde sigue barras: (línea 2); no se lee ninguna fila",
          "Advertencia: la línea 1 de la tabla nudos: tiene 11 números y una fila tiene 4",
          "Advertencia: no hay nudos; se descarta la tabla barras: (línea 2, 1 fila)"}},
        {"un espacio no separable",
         "nudos:\n10 0 0 0\n20 4\xC2\xA0" "0 0\n" + resto,
         {"Advertencia: la tabla nudos: (línea 1) se corta en la fila 2 (línea 3), con 1 de sus 4 "
          "valores, donde termina en 4\xC2\xA0" "0 (línea 3, con un espacio no separable (U+00A0)), que no "
          "es un número ni una etiqueta del formato; no se lee ninguna fila",
          "Advertencia: no hay nudos; se descarta la tabla barras: (línea 4, 1 fila)"}},
        {"nan", "nudos: 10 0 0 0 20 nan 0 0\n" + resto,
         {"Advertencia: la tabla nudos: (línea 1) se corta en la fila 2 (línea 1), con 1 de sus 4 "
          "valores, donde termina en nan (línea 1), que no es un número ni una etiqueta del "
          "formato; no se lee ninguna fila",
          "Advertencia: la línea 1 de la tabla nudos: tiene 5 números y una fila tiene 4",
          "Advertencia: no hay nudos; se descarta la tabla barras: (línea 2, 1 fila)"}},
        {"0x5 al final", "nudos: 10 0 0 0 20 4 0 0x5\n" + resto,
         {"Advertencia: la tabla nudos: (línea 1) se corta en la fila 2 (línea 1), con 3 de sus 4 "
          "valores, donde termina en 0x5 (línea 1), que no es un número ni una etiqueta del "
          "formato; no se lee ninguna fila",
          "Advertencia: la línea 1 de la tabla nudos: tiene 7 números y una fila tiene 4",
          "Advertencia: no hay nudos; se descarta la tabla barras: (línea 2, 1 fila)"}},
        {"sin nudos, los bloques no se leen y se dice",
         "barras: 1 1 2\napoyo: 1 1 1 1 1 1 1\nseccionRectangular: R 0.2 0.4 2.5e7 0.2 24 1\n"
         "combo: C 1 D\npesoPropio: PP\n",
         {"Advertencia: no hay nudos; se descarta la tabla barras: (línea 1, 1 fila)",
          "Advertencia: no hay nudos; no se lee ningún bloque apoyo: (línea 2) ni combo: (línea 4)",
          "Advertencia: no hay barras; no se lee ningún bloque seccionRectangular: (línea 3) ni "
          "pesoPropio: (línea 5)"}},
        {"cortada al final del archivo", "nudos: 10 0 0 0 20 4",
         {"Advertencia: la tabla nudos: (línea 1) se corta en la fila 2 (línea 1), con 2 de sus 4 "
          "valores, al final del archivo; no se lee ninguna fila",
          "Advertencia: la línea 1 de la tabla nudos: tiene 6 números y una fila tiene 4"}},
    });
}

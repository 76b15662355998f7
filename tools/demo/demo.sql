-- Base de demostración de la Consulta de Cheques.
--
-- Un comercio mayorista de Córdoba: artículos con marcas, presentaciones, precios y stock,
-- familias, posiciones de depósito, centros de costo, clientes, proveedores, cheques en cartera,
-- plan de cuentas y asientos contables.
-- El programa la crea la primera vez que se la pide, ejecutando este lote T-SQL con su propia
-- base embebida; el contenido es siempre el mismo (nada depende de la fecha ni del azar): sólo la
-- vista V_MV_CHEQUES cuenta desde el día de hoy los vencimientos de los cheques.

SET NOCOUNT ON
BEGIN TRANSACTION

-- ---------------------------------------------------------------- números para generar filas
CREATE TABLE DIGITOS (D int NOT NULL PRIMARY KEY)
INSERT INTO DIGITOS (D) VALUES (0), (1), (2), (3), (4), (5), (6), (7), (8), (9)

CREATE TABLE NUMEROS (N int NOT NULL PRIMARY KEY)
INSERT INTO NUMEROS (N)
SELECT a.D + 10 * b.D + 100 * c.D + 1000 * d.D + 10000 * e.D
FROM DIGITOS a CROSS JOIN DIGITOS b CROSS JOIN DIGITOS c CROSS JOIN DIGITOS d CROSS JOIN DIGITOS e

CREATE TABLE CALENDARIO (DESDE datetime NOT NULL)
INSERT INTO CALENDARIO (DESDE) VALUES ('2025-01-02 00:00:00.000')

-- ---------------------------------------------------------------- configuración y usuarios
CREATE TABLE dbo.TA_CONFIGURACION (
    CLAVE varchar(50) NOT NULL PRIMARY KEY,
    VALOR varchar(255) NULL,
    valoraux varchar(255) NULL
)
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux) VALUES
    ('TopConsArt', '1000', ''),
    ('MostrarStockenConsultas', 'SI', ''),
    ('Stk_Nivel1', '32768', 'stock sin punto de pedido: verde'),
    ('Stk_Nivel2', '16711680', 'stock sobre el punto de pedido: azul'),
    ('Stk_Nivel3', '255', 'stock bajo el punto de pedido: rojo'),
    ('Stk_Nivel4', '33023', 'stock en el punto de pedido o sin stock: naranja'),
    ('UsaConsultaLIKE', 'SI', ''),
    ('NOM_PCLASE1', 'Minorista', ''),
    ('NOM_PCLASE2', 'Mayorista', ''),
    ('NOM_PCLASE3', 'Distribuidor', ''),
    ('NOM_PCLASE4', 'Contado', ''),
    ('NOM_PCLASE5', 'Cta. Cte. 30 días', ''),
    ('NOM_PCLASE6', 'Cta. Cte. 60 días', ''),
    ('NOM_PCLASE7', 'Exportación', ''),
    ('NOM_PCLASE8', 'Costo', ''),
    ('Moneda', '$', 'Peso argentino'),
    ('RazonSocial', 'Distribuidora del Centro S.A.', 'Córdoba')

CREATE TABLE ta_usuarios (
    nombre varchar(30) NOT NULL PRIMARY KEY,
    Administrador int NOT NULL DEFAULT 0,
    NombreCompleto varchar(60) NULL
)
INSERT INTO ta_usuarios (nombre, Administrador, NombreCompleto) VALUES
    ('supervisor', 1, 'Graciela Ibáñez'),
    ('mostrador', 0, 'Martín Peña')

-- ---------------------------------------------------------------- familias de artículos
CREATE TABLE TA_FAMILIAS (
    IDFAMILIA varchar(10) NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(60) NOT NULL
)
INSERT INTO TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES
    ('1', 'Almacén'),
    ('11', 'Infusiones'), ('111', 'Yerba mate'), ('112', 'Té y mate cocido'), ('113', 'Café'),
    ('12', 'Harinas y pastas'), ('121', 'Harinas'), ('122', 'Fideos secos'), ('123', 'Arroz y legumbres'),
    ('13', 'Aceites y aderezos'), ('131', 'Aceites'), ('132', 'Aderezos y salsas'),
    ('14', 'Dulces y conservas'), ('141', 'Dulces y mermeladas'), ('142', 'Conservas'),
    ('15', 'Galletitas y golosinas'), ('151', 'Galletitas'), ('152', 'Golosinas'),
    ('2', 'Bebidas'),
    ('21', 'Sin alcohol'), ('211', 'Gaseosas'), ('212', 'Aguas y sodas'), ('213', 'Jugos'),
    ('22', 'Con alcohol'), ('221', 'Vinos'), ('222', 'Cervezas'),
    ('223', 'Aperitivos, sidras y destilados'),
    ('3', 'Limpieza y perfumería'),
    ('31', 'Limpieza'), ('311', 'Lavandina y desinfectantes'), ('312', 'Detergentes y lavado de ropa'),
    ('32', 'Perfumería'), ('321', 'Jabones'), ('322', 'Cuidado personal'),
    ('4', 'Ferretería'),
    ('41', 'Bulonería'), ('411', 'Tornillos'), ('412', 'Tuercas y arandelas'), ('413', 'Clavos'),
    ('42', 'Pinturería'), ('421', 'Pinturas'), ('422', 'Pinceles, rodillos y accesorios'),
    ('423', 'Solventes y diluyentes'),
    ('43', 'Electricidad'), ('431', 'Cables y accesorios'), ('432', 'Iluminación')

CREATE VIEW V_TA_FAMILIAS AS SELECT IDFAMILIA, DESCRIPCION FROM TA_FAMILIAS

-- ---------------------------------------------------------------- posiciones de depósito
-- Depósito (2 dígitos), pasillo (4) y estante (6): en cada depósito un pasillo por rama de
-- familias y en él un estante por familia, donde se guardan sus artículos.
CREATE TABLE MA_POSICIONES (
    IDPOSICION varchar(10) NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(60) NOT NULL
)
INSERT INTO MA_POSICIONES (IDPOSICION, DESCRIPCION) VALUES
    ('01', 'Depósito central - Barrio Alta Córdoba'),
    ('02', 'Depósito Ruta 9 - Malagueño'),
    ('03', 'Sucursal Villa María')

-- Los estantes numerados dentro de su pasillo, en el orden de las familias.
CREATE TABLE ESTANTES (
    IDFAMILIA varchar(10) NOT NULL PRIMARY KEY,
    PASILLO varchar(1) NOT NULL,
    NUMERO int NOT NULL
)
INSERT INTO ESTANTES (IDFAMILIA, PASILLO, NUMERO)
SELECT f.IDFAMILIA, LEFT(f.IDFAMILIA, 1),
       (SELECT COUNT(*) FROM TA_FAMILIAS o
        WHERE LEN(o.IDFAMILIA) = 3 AND LEFT(o.IDFAMILIA, 1) = LEFT(f.IDFAMILIA, 1)
          AND o.IDFAMILIA <= f.IDFAMILIA)
FROM TA_FAMILIAS f
WHERE LEN(f.IDFAMILIA) = 3

INSERT INTO MA_POSICIONES (IDPOSICION, DESCRIPCION)
SELECT d.IDPOSICION + '0' + f.IDFAMILIA, 'Pasillo ' + f.IDFAMILIA + ' - ' + f.DESCRIPCION
FROM MA_POSICIONES d CROSS JOIN TA_FAMILIAS f
WHERE LEN(d.IDPOSICION) = 2 AND LEN(f.IDFAMILIA) = 1
INSERT INTO MA_POSICIONES (IDPOSICION, DESCRIPCION)
SELECT a.IDPOSICION + RIGHT('0' + CAST(e.NUMERO AS varchar(2)), 2),
       'Estante ' + SUBSTRING('ABCDEFGHIJKLMNOP', e.NUMERO, 1) + ' - ' + f.DESCRIPCION
FROM MA_POSICIONES a
INNER JOIN ESTANTES e ON e.PASILLO = RIGHT(a.IDPOSICION, 1)
INNER JOIN TA_FAMILIAS f ON f.IDFAMILIA = e.IDFAMILIA
WHERE LEN(a.IDPOSICION) = 4

-- ---------------------------------------------------------------- artículos
-- Cada producto se vende en las presentaciones de su clase (pintura en latas de 1, 4 y 20 litros,
-- vino por botella y en cajas de 6, tornillos en cajas de 100 y de 1000...) y de cada marca de su
-- rubro: cinco mil artículos.

-- Las marcas, cada una de un rubro: la rama de familias de sus productos.
CREATE TABLE TA_MARCAS (
    IDMARCA varchar(2) NOT NULL PRIMARY KEY,
    NOMBRE varchar(40) NOT NULL,
    IDFAMILIA varchar(10) NOT NULL
)
INSERT INTO TA_MARCAS (IDMARCA, NOMBRE, IDFAMILIA) VALUES
    ('DA', 'Don Anselmo', '1'), ('PA', 'La Paloma', '1'), ('CE', 'El Ceibo', '1'),
    ('AN', 'Los Andes', '1'), ('RC', 'Río Colorado', '1'), ('ST', 'San Telmo', '1'),
    ('PM', 'La Pampeana', '1'), ('TA', 'Tres Arroyos', '1'), ('HO', 'El Hornero', '1'),
    ('SR', 'Santa Rita', '1'), ('SE', 'La Serranita', '1'), ('DC', 'Doña Clara', '1'),
    ('AL', 'El Algarrobo', '1'), ('CV', 'Campo Verde', '1'), ('EV', 'Estancia Vieja', '1'),
    ('SG', 'Sierras Grandes', '21'), ('MC', 'Manantial del Cerro', '21'), ('CU', 'Cumbrecita', '21'),
    ('VA', 'Vertiente Azul', '21'), ('FV', 'Frutal del Valle', '21'), ('AU', 'Aguas de Uritorco', '21'),
    ('NE', 'Naranjo en Flor', '21'), ('BU', 'Burbuja', '21'), ('FR', 'Fresca Vida', '21'),
    ('GI', 'Los Gigantes', '21'), ('FA', 'Finca Los Aromos', '221'), ('VE', 'Valle Escondido', '221'),
    ('AC', 'Altos de Colalao', '221'), ('VT', 'Viñas del Tupungato', '221'),
    ('DH', 'Dos Hermanos', '221'), ('BS', 'Bodega Santa Isabel', '221'),
    ('CA', 'Cerro Aconquija', '221'), ('LO', 'Lagar del Oeste', '221'),
    ('TH', 'Tierra de Huarpes', '221'), ('CP', 'Cepas Andinas', '221'), ('CS', 'Casa de Piedra', '221'),
    ('FI', 'Finca El Retiro', '221'), ('CL', 'Cervecería del Lago', '222'), ('BR', 'Barba Roja', '222'),
    ('RS', 'Río Segundo', '222'), ('MS', 'Malta Serrana', '222'), ('LA', 'Lúpulo Austral', '222'),
    ('FT', 'Fratelli Ricci', '223'), ('DE', 'Destilería Cordobesa', '223'), ('CR', 'Casa Rossi', '223'),
    ('MA', 'Monte Alto', '223'), ('BI', 'Brillex', '3'), ('LI', 'Limpiol', '3'),
    ('BL', 'Blancoflor', '3'), ('ES', 'Espumax', '3'), ('SU', 'Suavisol', '3'),
    ('AS', 'Aromas del Sur', '3'), ('PU', 'Puroaseo', '3'), ('HT', 'Higiene Total', '3'),
    ('LV', 'Lavalux', '3'), ('LM', 'Casa Limpia', '3'), ('FE', 'Frescor', '3'),
    ('BC', 'Bulonera Central', '41'), ('TO', 'Tornimet', '41'), ('FC', 'Fijaciones del Centro', '41'),
    ('AR', 'Aceros Rosario', '41'), ('BM', 'Bulones Mediterráneo', '41'),
    ('MR', 'Metalúrgica Río Tercero', '41'), ('FX', 'Fixar', '41'), ('CO', 'Cromacor', '42'),
    ('PS', 'Pinturas del Sol', '42'), ('LT', 'Látex Andino', '42'), ('CB', 'Colorar', '42'),
    ('TS', 'Tintas Serranas', '42'), ('RN', 'Revestimientos Norte', '42'), ('PI', 'Pintumax', '42'),
    ('CH', 'Color Hogar', '42'), ('PR', 'Protectol', '42'), ('CI', 'Cubritodo', '42'),
    ('AA', 'Acuarela', '42'), ('EL', 'Electroluz', '43'), ('CC', 'Conductores Córdoba', '43'),
    ('LU', 'Luminar', '43'), ('VO', 'Voltar', '43'), ('CD', 'Cablesur', '43'), ('IL', 'Iluminar', '43'),
    ('TE', 'Tecnoluz', '43'), ('KI', 'Kilovatio', '43')

-- Las marcas numeradas desde 1, con lo que cada una cobra sobre el precio de lista.
CREATE TABLE MARCAS (K int IDENTITY(1, 1) PRIMARY KEY, IDMARCA varchar(2) NOT NULL, FACTOR float NULL)
INSERT INTO MARCAS (IDMARCA) SELECT IDMARCA FROM TA_MARCAS ORDER BY IDMARCA
UPDATE MARCAS SET FACTOR = 0.86 + ((K * 7) % 11) * 0.03

-- Las presentaciones de cada clase de producto: CONTENIDO es cuánto trae de la unidad de medida
-- (unidades, litros, kilos o metros) y DESCUENTO lo que baja el precio de esa unidad en las
-- presentaciones más grandes.
CREATE TABLE PRESENTACIONES (
    GRUPO varchar(3) NOT NULL,
    ORDEN int NOT NULL,
    NOMBRE varchar(30) NOT NULL,
    CONTENIDO decimal(12, 2) NOT NULL,
    UNIDAD varchar(3) NOT NULL,
    DESCUENTO float NOT NULL,
    CONSTRAINT PK_PRESENTACIONES PRIMARY KEY (GRUPO, ORDEN)
)
INSERT INTO PRESENTACIONES (GRUPO, ORDEN, NOMBRE, CONTENIDO, UNIDAD, DESCUENTO) VALUES
    ('U10', 1, 'x unidad', 1, 'u', 1.00), ('U10', 2, 'bulto x 10', 10, 'u', 0.94),
    ('U12', 1, 'x unidad', 1, 'u', 1.00), ('U12', 2, 'caja x 12', 12, 'u', 0.93),
    ('U24', 1, 'x unidad', 1, 'u', 1.00), ('U24', 2, 'caja x 12', 12, 'u', 0.94),
    ('U24', 3, 'caja x 24', 24, 'u', 0.91),
    ('U06', 1, 'x unidad', 1, 'u', 1.00), ('U06', 2, 'caja x 6', 6, 'u', 0.95),
    ('BEB', 1, 'x unidad', 1, 'u', 1.00), ('BEB', 2, 'pack x 6', 6, 'u', 0.95),
    ('CHI', 1, 'x unidad', 1, 'u', 1.00), ('CHI', 2, 'pack x 6', 6, 'u', 0.95),
    ('CHI', 3, 'pack x 12', 12, 'u', 0.92),
    ('BOT', 1, 'botella 750 ml', 1, 'u', 1.00), ('BOT', 2, 'caja x 6 botellas', 6, 'u', 0.94),
    ('DAM', 1, 'botella 1 l', 1, 'l', 1.00), ('DAM', 2, 'damajuana 5 l', 5, 'l', 0.86),
    ('LAT', 1, 'lata 1 l', 1, 'l', 1.00), ('LAT', 2, 'lata 4 l', 4, 'l', 0.90),
    ('LAT', 3, 'lata 20 l', 20, 'l', 0.80),
    ('TOR', 1, 'caja x 100', 100, 'u', 1.00), ('TOR', 2, 'caja x 1000', 1000, 'u', 0.85),
    ('BUL', 1, 'caja x 50', 50, 'u', 1.00), ('BUL', 2, 'caja x 200', 200, 'u', 0.90),
    ('KG', 1, 'x kg', 1, 'kg', 1.00), ('KG', 2, 'caja 5 kg', 5, 'kg', 0.93),
    ('KG', 3, 'caja 25 kg', 25, 'kg', 0.86),
    ('MET', 1, 'x metro', 1, 'm', 1.00), ('MET', 2, 'rollo 100 m', 100, 'm', 0.82),
    ('UNI', 1, 'x unidad', 1, 'u', 1.00), ('UNI', 2, 'caja x 10', 10, 'u', 0.94)

-- PRECIO es el de lista de la unidad de medida: un paquete, una botella, un litro de pintura, un
-- tornillo, un kilo de clavos, un metro de cable.
CREATE TABLE PRODUCTOS (
    K int NOT NULL PRIMARY KEY,
    CODIGO varchar(3) NOT NULL,
    DESCRIPCION varchar(40) NOT NULL,
    IDFAMILIA varchar(10) NOT NULL,
    GRUPO varchar(3) NOT NULL,
    PRECIO money NOT NULL
)
INSERT INTO PRODUCTOS (K, CODIGO, DESCRIPCION, IDFAMILIA, GRUPO, PRECIO) VALUES
    (0, 'YER', 'Yerba mate 1 kg', '111', 'U10', 3850), (1, 'YES', 'Yerba mate 500 g', '111', 'U10', 2050),
    (2, 'YEH', 'Yerba mate con hierbas 500 g', '111', 'U10', 2290),
    (3, 'YEC', 'Yerba compuesta 1 kg', '111', 'U10', 4120), (4, 'YSU', 'Yerba mate suave 1 kg', '111', 'U10', 3990),
    (5, 'TES', 'Té en saquitos x 25', '112', 'U24', 890),
    (6, 'TEV', 'Té verde en saquitos x 20', '112', 'U24', 1150), (7, 'MAC', 'Mate cocido x 50', '112', 'U24', 1380),
    (8, 'TEM', 'Té de manzanilla x 25', '112', 'U24', 990), (9, 'CAF', 'Café molido 250 g', '113', 'U12', 4350),
    (10, 'CAS', 'Café soluble 170 g', '113', 'U12', 5980), (11, 'CAG', 'Café en grano 1 kg', '113', 'U10', 15900),
    (12, 'CAT', 'Café torrado 500 g', '113', 'U12', 7200), (13, 'HA0', 'Harina 000 1 kg', '121', 'U10', 780),
    (14, 'HA4', 'Harina 0000 1 kg', '121', 'U10', 860), (15, 'HAL', 'Harina leudante 1 kg', '121', 'U10', 1090),
    (16, 'HAI', 'Harina integral 1 kg', '121', 'U10', 1240), (17, 'POL', 'Polenta 500 g', '121', 'U10', 690),
    (18, 'PRE', 'Premezcla para pizza 500 g', '121', 'U10', 1150),
    (19, 'FIT', 'Fideos tallarines 500 g', '122', 'U10', 990),
    (20, 'FIM', 'Fideos mostachol 500 g', '122', 'U10', 990),
    (21, 'FIS', 'Fideos spaghetti 500 g', '122', 'U10', 1050),
    (22, 'FIG', 'Fideos guiseros 500 g', '122', 'U10', 940),
    (23, 'FTI', 'Fideos tirabuzón 500 g', '122', 'U10', 990),
    (24, 'FMO', 'Fideos moñito 500 g', '122', 'U10', 1020),
    (25, 'ARL', 'Arroz largo fino 1 kg', '123', 'U10', 1450),
    (26, 'ARD', 'Arroz doble carolina 1 kg', '123', 'U10', 1720),
    (27, 'ARI', 'Arroz integral 1 kg', '123', 'U10', 1890), (28, 'LEN', 'Lentejas 400 g', '123', 'U24', 1330),
    (29, 'POR', 'Porotos alubia 400 g', '123', 'U24', 1290), (30, 'GAR', 'Garbanzos 400 g', '123', 'U24', 1410),
    (31, 'AGI', 'Aceite de girasol 1,5 l', '131', 'U12', 2650),
    (32, 'AOL', 'Aceite de oliva 500 ml', '131', 'U12', 7900),
    (33, 'AMA', 'Aceite de maíz 900 ml', '131', 'U12', 2380),
    (34, 'AME', 'Aceite mezcla 900 ml', '131', 'U12', 1990), (35, 'MAY', 'Mayonesa 500 g', '132', 'U24', 1690),
    (36, 'KET', 'Kétchup 250 g', '132', 'U24', 1150), (37, 'MOS', 'Mostaza 250 g', '132', 'U24', 980),
    (38, 'VIN', 'Vinagre de alcohol 1 l', '132', 'U12', 760),
    (39, 'TOM', 'Puré de tomate 520 g', '132', 'U24', 690), (40, 'SGO', 'Salsa golf 250 g', '132', 'U24', 1250),
    (41, 'DDL', 'Dulce de leche 400 g', '141', 'U24', 1990),
    (42, 'MED', 'Mermelada de durazno 454 g', '141', 'U24', 1480),
    (43, 'MFR', 'Mermelada de frutilla 454 g', '141', 'U24', 1560),
    (44, 'DBA', 'Dulce de batata 500 g', '141', 'U24', 1320),
    (45, 'DME', 'Dulce de membrillo 500 g', '141', 'U24', 1290), (46, 'MIE', 'Miel 500 g', '141', 'U12', 3900),
    (47, 'ATU', 'Atún al natural 170 g', '142', 'U24', 2190),
    (48, 'ARV', 'Arvejas en lata 350 g', '142', 'U24', 650), (49, 'CHO', 'Choclo cremoso 350 g', '142', 'U24', 790),
    (50, 'DUR', 'Duraznos en almíbar 820 g', '142', 'U24', 2450),
    (51, 'TPE', 'Tomates perita 400 g', '142', 'U24', 890),
    (52, 'CBL', 'Caballa en aceite 380 g', '142', 'U24', 2890),
    (53, 'GAA', 'Galletitas de agua 300 g', '151', 'U24', 990),
    (54, 'GAD', 'Galletitas dulces surtidas 400 g', '151', 'U24', 1490),
    (55, 'GAC', 'Galletitas de chocolate 160 g', '151', 'U24', 890),
    (56, 'TOS', 'Tostadas de arroz 150 g', '151', 'U24', 1150),
    (57, 'BIZ', 'Bizcochos de grasa 200 g', '151', 'U24', 1090),
    (58, 'ALF', 'Alfajor de maicena', '152', 'U24', 650),
    (59, 'ALC', 'Alfajor triple de chocolate', '152', 'U24', 980),
    (60, 'CAR', 'Caramelos masticables 800 g', '152', 'U12', 3200),
    (61, 'CHT', 'Chocolate con leche 100 g', '152', 'U24', 1950),
    (62, 'CHI', 'Chicles de menta x 20', '152', 'U24', 1480), (63, 'TUR', 'Turrón de maní', '152', 'U24', 390),
    (64, 'GCO', 'Gaseosa cola 2,25 l', '211', 'BEB', 2350),
    (65, 'GLI', 'Gaseosa lima limón 2,25 l', '211', 'BEB', 2190),
    (66, 'GNA', 'Gaseosa naranja 2,25 l', '211', 'BEB', 2190), (67, 'GTO', 'Agua tónica 1,5 l', '211', 'BEB', 1890),
    (68, 'GCL', 'Gaseosa cola en lata 354 ml', '211', 'CHI', 990),
    (69, 'GPO', 'Gaseosa pomelo 2,25 l', '211', 'BEB', 2190),
    (70, 'GC5', 'Gaseosa cola 500 ml', '211', 'CHI', 1190),
    (71, 'AMI', 'Agua mineral sin gas 2 l', '212', 'BEB', 990),
    (72, 'AMP', 'Agua mineral sin gas 500 ml', '212', 'CHI', 690),
    (73, 'ACG', 'Agua mineral con gas 1,5 l', '212', 'BEB', 1050),
    (74, 'SOD', 'Soda en sifón 2 l', '212', 'BEB', 850),
    (75, 'ASA', 'Agua saborizada pomelo 1,5 l', '212', 'BEB', 1290),
    (76, 'JNA', 'Jugo de naranja 1 l', '213', 'BEB', 1650), (77, 'JMA', 'Jugo de manzana 1 l', '213', 'BEB', 1590),
    (78, 'JPO', 'Jugo en polvo x 20 sobres', '213', 'U12', 2900),
    (79, 'JMU', 'Jugo multifruta 1 l', '213', 'BEB', 1690), (80, 'VMA', 'Vino tinto malbec', '221', 'BOT', 5400),
    (81, 'VCA', 'Vino tinto cabernet sauvignon', '221', 'BOT', 5100),
    (82, 'VBN', 'Vino tinto bonarda', '221', 'BOT', 4600), (83, 'VTO', 'Vino blanco torrontés', '221', 'BOT', 4800),
    (84, 'VCH', 'Vino blanco chardonnay', '221', 'BOT', 5200), (85, 'VRO', 'Vino rosado', '221', 'BOT', 4500),
    (86, 'ESP', 'Espumante extra brut', '221', 'BOT', 7900), (87, 'VMT', 'Vino de mesa tinto', '221', 'DAM', 1600),
    (88, 'VMB', 'Vino de mesa blanco', '221', 'DAM', 1550), (89, 'CRU', 'Cerveza rubia 1 l', '222', 'U12', 2100),
    (90, 'CNE', 'Cerveza negra 473 ml', '222', 'CHI', 1590),
    (91, 'CLA', 'Cerveza rubia en lata 473 ml', '222', 'CHI', 1350),
    (92, 'CIP', 'Cerveza IPA 473 ml', '222', 'CHI', 1890), (93, 'FER', 'Fernet', '223', 'BOT', 11900),
    (94, 'APE', 'Aperitivo amargo', '223', 'BOT', 6200), (95, 'VER', 'Vermut rosso', '223', 'BOT', 5800),
    (96, 'GIN', 'Gin seco', '223', 'BOT', 14500), (97, 'SID', 'Sidra', '223', 'BOT', 2700),
    (98, 'LA1', 'Lavandina 1 l', '311', 'U12', 690), (99, 'LAV', 'Lavandina 2 l', '311', 'U12', 1150),
    (100, 'DES', 'Desinfectante en aerosol 360 ml', '311', 'U12', 3300),
    (101, 'LIP', 'Limpiador de pisos 900 ml', '311', 'U12', 1490),
    (102, 'LVI', 'Limpiavidrios 500 ml', '311', 'U12', 1790), (103, 'DET', 'Detergente 750 ml', '312', 'U12', 1790),
    (104, 'JPR', 'Jabón en polvo 800 g', '312', 'U12', 3650),
    (105, 'JLI', 'Jabón líquido para ropa 3 l', '312', 'U06', 8900),
    (106, 'SUA', 'Suavizante 900 ml', '312', 'U12', 1990), (107, 'SU3', 'Suavizante 3 l', '312', 'U06', 5400),
    (108, 'JP3', 'Jabón en polvo 3 kg', '312', 'U06', 11900), (109, 'DE5', 'Detergente 500 ml', '312', 'U12', 1290),
    (110, 'JTO', 'Jabón de tocador x 3', '321', 'U12', 2150),
    (111, 'JBL', 'Jabón blanco en pan 200 g', '321', 'U24', 690),
    (112, 'JLM', 'Jabón líquido para manos 250 ml', '321', 'U12', 1850),
    (113, 'CHA', 'Champú 400 ml', '322', 'U12', 3950), (114, 'ACO', 'Acondicionador 400 ml', '322', 'U12', 3950),
    (115, 'CRE', 'Crema de peinar 300 ml', '322', 'U12', 4200),
    (116, 'DEO', 'Desodorante en aerosol 150 ml', '322', 'U12', 3700),
    (117, 'PAS', 'Pasta dental 90 g', '322', 'U24', 2300), (118, 'CEP', 'Cepillo de dientes', '322', 'U12', 1900),
    (119, 'TA1', 'Tornillo autorroscante 8 x 1/2"', '411', 'TOR', 32),
    (120, 'TA2', 'Tornillo autorroscante 8 x 3/4"', '411', 'TOR', 38),
    (121, 'TA3', 'Tornillo autorroscante 8 x 1"', '411', 'TOR', 45),
    (122, 'TA4', 'Tornillo autorroscante 8 x 1 1/2"', '411', 'TOR', 58),
    (123, 'TM1', 'Tornillo para madera 6 x 1/2"', '411', 'TOR', 24),
    (124, 'TM2', 'Tornillo para madera 6 x 3/4"', '411', 'TOR', 30),
    (125, 'TM3', 'Tornillo para madera 6 x 1"', '411', 'TOR', 36),
    (126, 'TD1', 'Tornillo para durlock 6 x 1"', '411', 'TOR', 25),
    (127, 'TD2', 'Tornillo para durlock 6 x 1 5/8"', '411', 'TOR', 33),
    (128, 'TAP', 'Tornillo autoperforante 10 x 3/4"', '411', 'TOR', 55),
    (129, 'TU1', 'Tuerca hexagonal 1/4"', '412', 'TOR', 35),
    (130, 'TU2', 'Tuerca hexagonal 5/16"', '412', 'TOR', 48),
    (131, 'TU3', 'Tuerca hexagonal 3/8"', '412', 'TOR', 60), (132, 'AP1', 'Arandela plana 1/4"', '412', 'TOR', 14),
    (133, 'AP2', 'Arandela plana 3/8"', '412', 'TOR', 20), (134, 'AG1', 'Arandela grower 1/4"', '412', 'TOR', 18),
    (135, 'AG2', 'Arandela grower 3/8"', '412', 'TOR', 26), (136, 'BU1', 'Bulón 1/4 x 1"', '412', 'BUL', 140),
    (137, 'BU2', 'Bulón 3/8 x 2"', '412', 'BUL', 260), (138, 'CP1', 'Clavo punta París 1"', '413', 'KG', 4300),
    (139, 'CP2', 'Clavo punta París 2"', '413', 'KG', 3900),
    (140, 'CP3', 'Clavo punta París 3"', '413', 'KG', 3700), (141, 'CTE', 'Clavo para techo', '413', 'KG', 5200),
    (142, 'CAC', 'Clavo de acero 1 1/2"', '413', 'KG', 9800),
    (143, 'PLI', 'Pintura látex interior blanco', '421', 'LAT', 6900),
    (144, 'PLE', 'Pintura látex exterior blanco', '421', 'LAT', 8500),
    (145, 'PLF', 'Pintura látex para frentes', '421', 'LAT', 9200),
    (146, 'EBB', 'Esmalte sintético brillante blanco', '421', 'LAT', 12800),
    (147, 'EBN', 'Esmalte sintético brillante negro', '421', 'LAT', 12800),
    (148, 'EBR', 'Esmalte sintético brillante rojo', '421', 'LAT', 13900),
    (149, 'EBA', 'Esmalte sintético brillante azul', '421', 'LAT', 13900),
    (150, 'EBV', 'Esmalte sintético brillante verde', '421', 'LAT', 13900),
    (151, 'EBG', 'Esmalte sintético brillante gris', '421', 'LAT', 13200),
    (152, 'ESB', 'Esmalte sintético satinado blanco', '421', 'LAT', 13400),
    (153, 'ESN', 'Esmalte sintético satinado negro', '421', 'LAT', 13400),
    (154, 'CIE', 'Pintura para cielorrasos', '421', 'LAT', 5200),
    (155, 'MEM', 'Membrana líquida para techos', '421', 'LAT', 7800),
    (156, 'FON', 'Fondo fijador al agua', '421', 'LAT', 5600),
    (157, 'BAR', 'Barniz para madera', '421', 'LAT', 11900),
    (158, 'COX', 'Convertidor de óxido', '421', 'LAT', 10900), (159, 'PI1', 'Pincel número 10', '422', 'UNI', 1900),
    (160, 'PI2', 'Pincel número 20', '422', 'UNI', 2900), (161, 'PI3', 'Pincel número 30', '422', 'UNI', 3900),
    (162, 'ROD', 'Rodillo de lana 22 cm', '422', 'UNI', 7400),
    (163, 'RES', 'Rodillo de espuma 10 cm', '422', 'UNI', 2600), (164, 'ESA', 'Espátula 8 cm', '422', 'UNI', 2300),
    (165, 'BAN', 'Bandeja para pintar', '422', 'UNI', 2100), (166, 'AGR', 'Aguarrás mineral', '423', 'LAT', 3800),
    (167, 'THI', 'Thinner', '423', 'LAT', 4200), (168, 'REM', 'Removedor de pintura', '423', 'LAT', 8900),
    (169, 'CA1', 'Cable unipolar 1 mm', '431', 'MET', 330),
    (170, 'CA2', 'Cable unipolar 1,5 mm', '431', 'MET', 450),
    (171, 'CA3', 'Cable unipolar 2,5 mm', '431', 'MET', 680),
    (172, 'CA4', 'Cable unipolar 4 mm', '431', 'MET', 1050),
    (173, 'CTA', 'Cable tipo taller 2 x 1 mm', '431', 'MET', 900),
    (174, 'CIN', 'Cinta aisladora 20 m', '431', 'UNI', 1200),
    (175, 'TOC', 'Tomacorriente doble', '431', 'UNI', 3100),
    (176, 'LLL', 'Llave de luz de un punto', '431', 'UNI', 2800),
    (177, 'FIC', 'Ficha macho de 10 A', '431', 'UNI', 1600),
    (178, 'ZAP', 'Zapatilla eléctrica 5 tomas', '431', 'UNI', 9800),
    (179, 'LL1', 'Lámpara led 7 W', '432', 'UNI', 1150), (180, 'LL2', 'Lámpara led 9 W', '432', 'UNI', 1350),
    (181, 'LL3', 'Lámpara led 12 W', '432', 'UNI', 1690), (182, 'LL4', 'Lámpara led 15 W', '432', 'UNI', 2190),
    (183, 'LLT', 'Tubo led 18 W', '432', 'UNI', 4900), (184, 'DIC', 'Dicroica led 7 W', '432', 'UNI', 2100),
    (185, 'RE1', 'Reflector led 20 W', '432', 'UNI', 8900), (186, 'RE2', 'Reflector led 50 W', '432', 'UNI', 15900)

CREATE TABLE dbo.MA_ARTICULOS (
    idarticulo int IDENTITY(1,1) NOT NULL,
    Codigo varchar(15) NOT NULL,
    Descripcion varchar(80) NOT NULL,
    IDFAMILIA varchar(10) NOT NULL,
    PRECIO1 money NULL, PRECIO2 money NULL, PRECIO3 money NULL, PRECIO4 money NULL,
    PRECIO5 money NULL, PRECIO6 money NULL, PRECIO7 money NULL, PRECIO8 money NULL,
    PUNTOPEDIDO decimal(12, 2) NOT NULL DEFAULT 0,
    Stock decimal(12, 2) NOT NULL DEFAULT 0,
    SUSPENDIDO bit NOT NULL DEFAULT 0,
    IDMARCA varchar(2) NULL,
    PRESENTACION varchar(30) NULL,
    CONTENIDO decimal(12, 2) NOT NULL DEFAULT 1,
    UNIDAD_MEDIDA varchar(3) NULL,
    IDPOSICION varchar(10) NULL,
    CONSTRAINT PK_MA_ARTICULOS PRIMARY KEY CLUSTERED (idarticulo)
)
CREATE UNIQUE INDEX IX_MA_ARTICULOS_CODIGO ON MA_ARTICULOS (Codigo)

-- Código: producto, marca y número de presentación; guardados en su estante del depósito central.
INSERT INTO MA_ARTICULOS (Codigo, Descripcion, IDFAMILIA, PRECIO1, PRECIO2, PRECIO3, PRECIO4,
                          PRECIO5, PRECIO6, PRECIO7, PRECIO8, PUNTOPEDIDO, Stock, SUSPENDIDO,
                          IDMARCA, PRESENTACION, CONTENIDO, UNIDAD_MEDIDA, IDPOSICION)
SELECT p.CODIGO + '-' + m.IDMARCA + '0' + CAST(pr.ORDEN AS varchar(1)),
       p.DESCRIPCION + ' ' + m.NOMBRE + ' ' + pr.NOMBRE,
       p.IDFAMILIA,
       ROUND(p.PRECIO * k.FACTOR * pr.CONTENIDO * pr.DESCUENTO, 2),
       ROUND(p.PRECIO * k.FACTOR * pr.CONTENIDO * pr.DESCUENTO * 0.88, 2),
       ROUND(p.PRECIO * k.FACTOR * pr.CONTENIDO * pr.DESCUENTO * 0.82, 2),
       ROUND(p.PRECIO * k.FACTOR * pr.CONTENIDO * pr.DESCUENTO * 0.95, 2),
       ROUND(p.PRECIO * k.FACTOR * pr.CONTENIDO * pr.DESCUENTO * 1.06, 2),
       ROUND(p.PRECIO * k.FACTOR * pr.CONTENIDO * pr.DESCUENTO * 1.12, 2),
       ROUND(p.PRECIO * k.FACTOR * pr.CONTENIDO * pr.DESCUENTO * 0.78, 2),
       ROUND(p.PRECIO * k.FACTOR * pr.CONTENIDO * pr.DESCUENTO * 0.64, 2),
       -- Cuatro situaciones de stock, para ver los cuatro colores.
       CASE (p.K * 7 + k.K * 3 + pr.ORDEN) % 4
           WHEN 0 THEN 0
           ELSE 10 * (1 + (p.K + k.K) % 5)
       END,
       CASE (p.K * 7 + k.K * 3 + pr.ORDEN) % 4
           WHEN 0 THEN (p.K * 13 + k.K * 5 + pr.ORDEN) % 90 + 1
           WHEN 1 THEN 10 * (1 + (p.K + k.K) % 5) + (p.K * 11 + pr.ORDEN) % 60 + 1
           WHEN 2 THEN (p.K * 3 + k.K + pr.ORDEN) % (10 * (1 + (p.K + k.K) % 5))
           ELSE 10 * (1 + (p.K + k.K) % 5)
       END,
       CASE WHEN (p.K * 31 + k.K * 17 + pr.ORDEN * 7) % 61 = 0 THEN 1 ELSE 0 END,
       m.IDMARCA, pr.NOMBRE, pr.CONTENIDO, pr.UNIDAD,
       '010' + e.PASILLO + RIGHT('0' + CAST(e.NUMERO AS varchar(2)), 2)
FROM PRODUCTOS p
INNER JOIN TA_MARCAS m ON p.IDFAMILIA LIKE m.IDFAMILIA + '%'
INNER JOIN MARCAS k ON k.IDMARCA = m.IDMARCA
INNER JOIN PRESENTACIONES pr ON pr.GRUPO = p.GRUPO
INNER JOIN ESTANTES e ON e.IDFAMILIA = p.IDFAMILIA
ORDER BY p.K, m.IDMARCA, pr.ORDEN

-- El archivo de artículos como lo ven las consultas: activos, todos y con stock.
CREATE VIEW VT_MA_ARTICULOS AS
SELECT a.Codigo, a.Descripcion, a.idarticulo, a.PRECIO1, a.PRECIO2, a.PRECIO3, a.PRECIO4,
       a.PRECIO5, a.PRECIO6, a.PRECIO7, a.PRECIO8, a.PUNTOPEDIDO, a.Stock, a.SUSPENDIDO,
       a.IDFAMILIA, f.DESCRIPCION AS FAMILIA
FROM MA_ARTICULOS a WITH (NOLOCK)
INNER JOIN TA_FAMILIAS f ON f.IDFAMILIA = a.IDFAMILIA

CREATE VIEW V_MA_ARTICULOS AS
SELECT Codigo, Descripcion, idarticulo, PRECIO1, PRECIO2, PRECIO3, PRECIO4, PRECIO5, PRECIO6,
       PRECIO7, PRECIO8, PUNTOPEDIDO, Stock, SUSPENDIDO
FROM VT_MA_ARTICULOS

CREATE VIEW STK_MA_ARTICULOS AS
SELECT Codigo, Descripcion, idarticulo, PRECIO1, PUNTOPEDIDO, Stock, SUSPENDIDO
FROM VT_MA_ARTICULOS
WHERE Stock > 0

-- Faltantes de stock que informan las consultas (F12).
CREATE TABLE V_MV_FALTANTES (
    FechaHora varchar(30) NOT NULL,
    IdArticulo varchar(25) NULL,
    Descripcion varchar(80) NULL,
    Usuario varchar(30) NULL
)

-- ---------------------------------------------------------------- centros de costo
CREATE TABLE TA_CCOSTO (
    CODIGO varchar(10) NOT NULL PRIMARY KEY,
    DESCRIPCION varchar(60) NOT NULL
)
INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES
    ('1', 'Administración'), ('11', 'Contaduría'), ('111', 'Cuentas a pagar'),
    ('112', 'Cuentas a cobrar'), ('113', 'Impuestos'), ('12', 'Recursos humanos'),
    ('121', 'Liquidación de sueldos'), ('13', 'Sistemas'),
    ('2', 'Comercial'), ('21', 'Ventas mayoristas'), ('211', 'Zona Capital'),
    ('212', 'Zona Norte'), ('213', 'Zona Sur'), ('22', 'Ventas minoristas'),
    ('221', 'Salón Alta Córdoba'), ('222', 'Salón Villa María'), ('23', 'Marketing'),
    ('3', 'Logística'), ('31', 'Depósitos'), ('311', 'Depósito central'),
    ('312', 'Depósito Ruta 9'), ('32', 'Distribución'), ('321', 'Flota propia'),
    ('322', 'Fletes contratados'),
    ('4', 'Dirección'), ('41', 'Gerencia general'), ('42', 'Auditoría interna')

-- ---------------------------------------------------------------- depósitos y cajas
CREATE TABLE TA_DEPOSITO (IDDEPOSITO int NOT NULL PRIMARY KEY, DESCRIPCION varchar(60) NOT NULL, LOCALIDAD varchar(40) NULL)
INSERT INTO TA_DEPOSITO (IDDEPOSITO, DESCRIPCION, LOCALIDAD) VALUES
    (1, 'Depósito central', 'Córdoba'), (2, 'Depósito Ruta 9', 'Malagueño'),
    (3, 'Sucursal Villa María', 'Villa María'), (4, 'Mercadería en tránsito', NULL),
    (5, 'Devoluciones y roturas', 'Córdoba')
CREATE VIEW V_TA_DEPOSITO AS SELECT IDDEPOSITO, DESCRIPCION, LOCALIDAD FROM TA_DEPOSITO

CREATE TABLE TA_CAJAS (IDCAJA int NOT NULL PRIMARY KEY, DESCRIPCION varchar(60) NOT NULL, CUENTA varchar(20) NOT NULL)
INSERT INTO TA_CAJAS (IDCAJA, DESCRIPCION, CUENTA) VALUES
    (1, 'Caja mostrador Alta Córdoba', '1110101'), (2, 'Caja mostrador Villa María', '1110102'),
    (3, 'Caja chica administración', '1110103'), (4, 'Caja de cobranzas', '1110104')
CREATE VIEW V_TA_CAJAS AS SELECT IDCAJA, DESCRIPCION, CUENTA FROM TA_CAJAS

-- ---------------------------------------------------------------- plan de cuentas
CREATE TABLE MA_CUENTAS (
    Codigo varchar(20) NOT NULL PRIMARY KEY,
    Nombre varchar(60) NOT NULL,
    Imputable bit NOT NULL DEFAULT 0
)
INSERT INTO MA_CUENTAS (Codigo, Nombre, Imputable) VALUES
    ('1', 'ACTIVO', 0), ('11', 'Activo corriente', 0), ('111', 'Caja y bancos', 0),
    ('11101', 'Cajas', 0), ('1110101', 'Caja mostrador Alta Córdoba', 1),
    ('1110102', 'Caja mostrador Villa María', 1), ('1110103', 'Caja chica', 1),
    ('1110104', 'Caja de cobranzas', 1), ('11102', 'Bancos', 0),
    ('1110201', 'Banco de la Nación Argentina cta. cte.', 1),
    ('1110202', 'Banco de Córdoba cta. cte.', 1), ('1110203', 'Valores a depositar', 1),
    ('1110204', 'Cheques en cartera', 1), ('112', 'Créditos por ventas', 0),
    ('11201', 'Deudores por ventas', 1), ('11202', 'Documentos a cobrar', 1),
    ('11203', 'Previsión para deudores incobrables', 1), ('113', 'Otros créditos', 0),
    ('11301', 'IVA crédito fiscal', 1), ('11302', 'Anticipos a proveedores', 1),
    ('11303', 'Retenciones de ingresos brutos sufridas', 1), ('114', 'Bienes de cambio', 0),
    ('11401', 'Mercaderías de reventa', 1), ('11402', 'Mercaderías en tránsito', 1),
    ('12', 'Activo no corriente', 0), ('121', 'Bienes de uso', 0),
    ('12101', 'Rodados', 1), ('12102', 'Muebles y útiles', 1), ('12103', 'Instalaciones', 1),
    ('12104', 'Amortizaciones acumuladas', 1),
    ('2', 'PASIVO', 0), ('21', 'Pasivo corriente', 0), ('211', 'Deudas comerciales', 0),
    ('21101', 'Proveedores', 1), ('21102', 'Documentos a pagar', 1),
    ('212', 'Deudas fiscales', 0), ('21201', 'IVA débito fiscal', 1),
    ('21202', 'Ingresos brutos a pagar', 1), ('21203', 'Ganancias a pagar', 1),
    ('213', 'Deudas sociales', 0), ('21301', 'Sueldos a pagar', 1),
    ('21302', 'Cargas sociales a pagar', 1),
    ('3', 'PATRIMONIO NETO', 0), ('31', 'Capital social', 1), ('32', 'Reserva legal', 1),
    ('33', 'Resultados no asignados', 1),
    ('4', 'RESULTADOS POSITIVOS', 0), ('41', 'Ventas de mercaderías', 1),
    ('42', 'Descuentos obtenidos', 1), ('43', 'Intereses ganados', 1),
    ('5', 'RESULTADOS NEGATIVOS', 0), ('51', 'Costo de mercaderías vendidas', 1),
    ('52', 'Sueldos y jornales', 1), ('53', 'Cargas sociales', 1), ('54', 'Fletes y acarreos', 1),
    ('55', 'Alquileres', 1), ('56', 'Energía eléctrica', 1), ('57', 'Impuestos y tasas', 1),
    ('58', 'Gastos bancarios', 1), ('59', 'Descuentos otorgados', 1)

-- Cuentas imputables numeradas desde 1, para repartir los asientos entre ellas.
CREATE TABLE CUENTAS_IMPUTABLES (K int IDENTITY(1, 1) PRIMARY KEY, Codigo varchar(20) NOT NULL)
INSERT INTO CUENTAS_IMPUTABLES (Codigo) SELECT Codigo FROM MA_CUENTAS WHERE Imputable = 1 ORDER BY Codigo

CREATE TABLE CCOSTO_NUMERADOS (K int IDENTITY(1, 1) PRIMARY KEY, CODIGO varchar(10) NOT NULL)
INSERT INTO CCOSTO_NUMERADOS (CODIGO) SELECT CODIGO FROM TA_CCOSTO WHERE LEN(CODIGO) = 3 ORDER BY CODIGO

-- Cuentas del libro diario y su apertura por centro de costo.
CREATE TABLE AC_CUENTASDIARIO (Codigo varchar(20) NOT NULL PRIMARY KEY, Nombre varchar(60) NOT NULL)
INSERT INTO AC_CUENTASDIARIO (Codigo, Nombre) SELECT Codigo, Nombre FROM MA_CUENTAS WHERE Imputable = 1

CREATE TABLE AC_CUENTASDIARIO_CCOSTO (
    Codigo varchar(20) NOT NULL,
    CCOSTO varchar(10) NOT NULL,
    PORCENTAJE decimal(5, 2) NOT NULL,
    CONSTRAINT PK_AC_CUENTASDIARIO_CCOSTO PRIMARY KEY (Codigo, CCOSTO)
)
INSERT INTO AC_CUENTASDIARIO_CCOSTO (Codigo, CCOSTO, PORCENTAJE)
SELECT c.Codigo, cc.CODIGO, 50
FROM AC_CUENTASDIARIO c CROSS JOIN TA_CCOSTO cc
WHERE c.Codigo LIKE '5%' AND cc.CODIGO IN ('11', '21')

-- ---------------------------------------------------------------- asientos contables
-- Cincuenta mil asientos de dos renglones a lo largo del año: cien mil filas.
CREATE TABLE dbo.MV_ASIENTOS (
    IDRENGLON int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    NUMERO int NOT NULL,
    FECHA datetime NOT NULL,
    CUENTA varchar(20) NOT NULL,
    CCOSTO varchar(10) NULL,
    DEBE money NOT NULL DEFAULT 0,
    HABER money NOT NULL DEFAULT 0,
    DETALLE varchar(80) NULL
)
INSERT INTO MV_ASIENTOS (NUMERO, FECHA, CUENTA, CCOSTO, DEBE, HABER, DETALLE)
SELECT n.N + 1, c.DESDE + n.N % 360, d.Codigo, cc.CODIGO,
       CASE WHEN r.D = 0 THEN ROUND(((n.N * 7919) % 100000) * 1.37 + 100, 2) ELSE 0 END,
       CASE WHEN r.D = 1 THEN ROUND(((n.N * 7919) % 100000) * 1.37 + 100, 2) ELSE 0 END,
       'Asiento ' + CAST(n.N + 1 AS varchar(10)) + ' - ' + d.Codigo
FROM NUMEROS n
CROSS JOIN CALENDARIO c
INNER JOIN DIGITOS r ON r.D < 2
INNER JOIN CUENTAS_IMPUTABLES d ON d.K = (n.N * 3 + r.D * 17) % (SELECT COUNT(*) FROM CUENTAS_IMPUTABLES) + 1
INNER JOIN CCOSTO_NUMERADOS cc ON cc.K = n.N % (SELECT COUNT(*) FROM CCOSTO_NUMERADOS) + 1
WHERE n.N < 50000
ORDER BY n.N, r.D

-- ---------------------------------------------------------------- clientes y proveedores
-- El sexo decide el prefijo de la CUIT de las personas.
CREATE TABLE NOMBRES (K int NOT NULL PRIMARY KEY, NOMBRE varchar(20) NOT NULL, SEXO char(1) NOT NULL)
INSERT INTO NOMBRES (K, NOMBRE, SEXO) VALUES
    (0, 'Agustín', 'M'), (1, 'Sofía', 'F'), (2, 'Joaquín', 'M'), (3, 'Valentina', 'F'),
    (4, 'Tomás', 'M'), (5, 'Lucía', 'F'), (6, 'Nicolás', 'M'), (7, 'Martina', 'F'),
    (8, 'Benjamín', 'M'), (9, 'Camila', 'F'), (10, 'Matías', 'M'), (11, 'Julieta', 'F'),
    (12, 'Santiago', 'M'), (13, 'Florencia', 'F'), (14, 'Facundo', 'M'), (15, 'María José', 'F'),
    (16, 'Ignacio', 'M'), (17, 'Milagros', 'F'), (18, 'Gonzalo', 'M'), (19, 'Agustina', 'F'),
    (20, 'Ramón', 'M'), (21, 'Nélida', 'F'), (22, 'Héctor', 'M'), (23, 'Mónica', 'F'),
    (24, 'Sebastián', 'M'), (25, 'Verónica', 'F'), (26, 'Germán', 'M'), (27, 'Inés', 'F'),
    (28, 'Julián', 'M'), (29, 'Belén', 'F'), (30, 'Andrés', 'M'), (31, 'Ángela', 'F'),
    (32, 'Raúl', 'M'), (33, 'Noemí', 'F'), (34, 'Iñaki', 'M'), (35, 'Zoe', 'F'), (36, 'Darío', 'M'),
    (37, 'Soledad', 'F'), (38, 'Rubén', 'M'), (39, 'Ximena', 'F')

CREATE TABLE APELLIDOS (K int NOT NULL PRIMARY KEY, APELLIDO varchar(20) NOT NULL)
INSERT INTO APELLIDOS (K, APELLIDO) VALUES
    (0, 'González'), (1, 'Rodríguez'), (2, 'Fernández'), (3, 'López'), (4, 'Martínez'),
    (5, 'Pérez'), (6, 'Gómez'), (7, 'Sánchez'), (8, 'Romero'), (9, 'Sosa'), (10, 'Álvarez'),
    (11, 'Torres'), (12, 'Ruiz'), (13, 'Ramírez'), (14, 'Flores'), (15, 'Acosta'),
    (16, 'Benítez'), (17, 'Medina'), (18, 'Herrera'), (19, 'Suárez'), (20, 'Aguirre'),
    (21, 'Giménez'), (22, 'Gutiérrez'), (23, 'Pereyra'), (24, 'Rojas'), (25, 'Molina'),
    (26, 'Castro'), (27, 'Ortiz'), (28, 'Silva'), (29, 'Núñez'), (30, 'Luna'), (31, 'Juárez'),
    (32, 'Cabrera'), (33, 'Ríos'), (34, 'Ferreyra'), (35, 'Godoy'), (36, 'Morales'),
    (37, 'Domínguez'), (38, 'Moreno'), (39, 'Peralta'), (40, 'Vega'), (41, 'Carrizo'),
    (42, 'Quiroga'), (43, 'Castillo'), (44, 'Ledesma'), (45, 'Muñoz'), (46, 'Ojeda'),
    (47, 'Ponce'), (48, 'Vera'), (49, 'Vázquez'), (50, 'Villalba'), (51, 'Cardozo'),
    (52, 'Navarro'), (53, 'Ramos'), (54, 'Arias'), (55, 'Coronel'), (56, 'Córdoba'),
    (57, 'Figueroa'), (58, 'Correa'), (59, 'Cáceres'), (60, 'Vargas'), (61, 'Maldonado'),
    (62, 'Mansilla'), (63, 'Farías'), (64, 'Rivero'), (65, 'Paz'), (66, 'Miranda'),
    (67, 'Roldán'), (68, 'Méndez'), (69, 'Lucero'), (70, 'Peña'), (71, 'Ibáñez'),
    (72, 'Agüero'), (73, 'Páez'), (74, 'O''Brien'), (75, 'D''Alessandro'), (76, 'Ávila'),
    (77, 'Acuña'), (78, 'Chávez'), (79, 'Bustos')

CREATE TABLE LOCALIDADES (K int NOT NULL PRIMARY KEY, LOCALIDAD varchar(40) NOT NULL, PROVINCIA varchar(30) NOT NULL)
INSERT INTO LOCALIDADES (K, LOCALIDAD, PROVINCIA) VALUES
    (0, 'Córdoba', 'Córdoba'), (1, 'Villa María', 'Córdoba'), (2, 'Río Cuarto', 'Córdoba'),
    (3, 'San Francisco', 'Córdoba'), (4, 'Villa Carlos Paz', 'Córdoba'), (5, 'Alta Gracia', 'Córdoba'),
    (6, 'Rosario', 'Santa Fe'), (7, 'Santa Fe', 'Santa Fe'), (8, 'Rafaela', 'Santa Fe'),
    (9, 'Venado Tuerto', 'Santa Fe'), (10, 'Ciudad de Buenos Aires', 'CABA'),
    (11, 'La Plata', 'Buenos Aires'), (12, 'Mar del Plata', 'Buenos Aires'),
    (13, 'Bahía Blanca', 'Buenos Aires'), (14, 'Tandil', 'Buenos Aires'),
    (15, 'Mendoza', 'Mendoza'), (16, 'San Rafael', 'Mendoza'), (17, 'San Juan', 'San Juan'),
    (18, 'San Luis', 'San Luis'), (19, 'San Miguel de Tucumán', 'Tucumán'), (20, 'Salta', 'Salta'),
    (21, 'San Salvador de Jujuy', 'Jujuy'), (22, 'Santiago del Estero', 'Santiago del Estero'),
    (23, 'Neuquén', 'Neuquén'), (24, 'Paraná', 'Entre Ríos'), (25, 'Concordia', 'Entre Ríos'),
    (26, 'Posadas', 'Misiones'), (27, 'Resistencia', 'Chaco'), (28, 'Corrientes', 'Corrientes'),
    (29, 'Ushuaia', 'Tierra del Fuego')

CREATE TABLE RUBROS (K int NOT NULL PRIMARY KEY, RUBRO varchar(30) NOT NULL)
INSERT INTO RUBROS (K, RUBRO) VALUES
    (0, 'Distribuidora'), (1, 'Ferretería'), (2, 'Mayorista'), (3, 'Molino'), (4, 'Papelera'),
    (5, 'Cooperativa'), (6, 'Transportes'), (7, 'Lácteos'), (8, 'Bodega'), (9, 'Frigorífico')

CREATE TABLE SOCIEDADES (K int NOT NULL PRIMARY KEY, SUFIJO varchar(20) NOT NULL)
INSERT INTO SOCIEDADES (K, SUFIJO) VALUES (0, ' S.A.'), (1, ' S.R.L.'), (2, ' e Hijos'), (3, ' Hnos.'), (4, ' S.A.S.')

CREATE TABLE MA_CLIENTES (
    IDCLIENTE int IDENTITY(1,1) PRIMARY KEY,
    CODIGO varchar(10) NOT NULL UNIQUE,
    NOMBRE varchar(80) NOT NULL,
    CUIT varchar(13) NULL,
    LOCALIDAD varchar(40) NULL,
    PROVINCIA varchar(30) NULL,
    Dada_De_Baja bit NOT NULL DEFAULT 0
)
INSERT INTO MA_CLIENTES (CODIGO, NOMBRE, CUIT, LOCALIDAD, PROVINCIA, Dada_De_Baja)
SELECT 'C' + RIGHT('0000' + CAST(n.N + 1 AS varchar(5)), 5),
       CASE WHEN n.N % 5 = 4
            THEN r.RUBRO + ' ' + a.APELLIDO + s.SUFIJO
            ELSE a.APELLIDO + ', ' + nm.NOMBRE
       END,
       -- Prefijo y documento; el dígito verificador se agrega abajo.
       CASE WHEN n.N % 5 = 4
            THEN '30-' + CAST((n.N * 7919 + 1234567) % 22000000 + 50000000 AS varchar(8))
            ELSE CASE nm.SEXO WHEN 'F' THEN '27-' ELSE '20-' END
                 + CAST((n.N * 7919 + 1234567) % 36000000 + 10000000 AS varchar(8))
       END,
       l.LOCALIDAD, l.PROVINCIA,
       CASE WHEN n.N % 37 = 36 THEN 1 ELSE 0 END
FROM NUMEROS n
INNER JOIN APELLIDOS a ON a.K = (n.N * 13) % 80
INNER JOIN NOMBRES nm ON nm.K = (n.N * 7 + n.N / 80) % 40
INNER JOIN LOCALIDADES l ON l.K = (n.N * 11) % 30
INNER JOIN RUBROS r ON r.K = (n.N / 5 + n.N / 80) % 10
INNER JOIN SOCIEDADES s ON s.K = (n.N / 10) % 5
WHERE n.N < 2000
ORDER BY n.N

CREATE TABLE MA_PROVEEDORES (
    IDPROVEEDOR int IDENTITY(1,1) PRIMARY KEY,
    CODIGO varchar(10) NOT NULL UNIQUE,
    NOMBRE varchar(80) NOT NULL,
    CUIT varchar(13) NULL,
    LOCALIDAD varchar(40) NULL,
    PROVINCIA varchar(30) NULL,
    Dada_De_Baja bit NOT NULL DEFAULT 0
)
INSERT INTO MA_PROVEEDORES (CODIGO, NOMBRE, CUIT, LOCALIDAD, PROVINCIA, Dada_De_Baja)
SELECT 'P' + RIGHT('0000' + CAST(n.N + 1 AS varchar(5)), 5),
       CASE WHEN n.N % 4 = 3
            THEN a.APELLIDO + ' ' + a2.APELLIDO + s.SUFIJO
            ELSE r.RUBRO + ' ' + a.APELLIDO + s.SUFIJO
       END,
       '30-' + CAST((n.N * 6151 + 7654321) % 22000000 + 50000000 AS varchar(8)),
       l.LOCALIDAD, l.PROVINCIA,
       CASE WHEN n.N % 29 = 28 THEN 1 ELSE 0 END
FROM NUMEROS n
INNER JOIN APELLIDOS a ON a.K = (n.N * 17) % 80
INNER JOIN APELLIDOS a2 ON a2.K = (n.N * 29 + 3 + n.N / 80) % 80
INNER JOIN LOCALIDADES l ON l.K = (n.N * 7) % 30
INNER JOIN RUBROS r ON r.K = (n.N * 3 + n.N / 80) % 10
INNER JOIN SOCIEDADES s ON s.K = n.N % 5
WHERE n.N < 2000
ORDER BY n.N

-- El dígito verificador de la CUIT: 11 menos la suma de sus diez primeras cifras por 5, 4, 3, 2,
-- 7, 6, 5, 4, 3 y 2, módulo 11 (11 da 0). Cuando da 10 la CUIT toma el prefijo 23 con el dígito 9
-- (varones) o 4 (mujeres), y las sociedades el 33 con el 9.
CREATE TABLE PESOS_CUIT (POSICION int NOT NULL PRIMARY KEY, PESO int NOT NULL)
INSERT INTO PESOS_CUIT (POSICION, PESO) VALUES
    (1, 5), (2, 4), (4, 3), (5, 2), (6, 7), (7, 6), (8, 5), (9, 4), (10, 3), (11, 2)

CREATE TABLE CUITS (CODIGO varchar(10) NOT NULL PRIMARY KEY, CUIT varchar(13) NOT NULL)
INSERT INTO CUITS (CODIGO, CUIT)
SELECT s.CODIGO,
       CASE WHEN s.DIGITO < 10 THEN s.BASE + '-' + CAST(s.DIGITO AS varchar(1))
            WHEN LEFT(s.BASE, 2) = '30' THEN '33' + SUBSTRING(s.BASE, 3, 9) + '-9'
            WHEN LEFT(s.BASE, 2) = '27' THEN '23' + SUBSTRING(s.BASE, 3, 9) + '-4'
            ELSE '23' + SUBSTRING(s.BASE, 3, 9) + '-9'
       END
FROM (SELECT t.CODIGO, t.CUIT AS BASE,
             (11 - SUM(CAST(SUBSTRING(t.CUIT, p.POSICION, 1) AS int) * p.PESO) % 11) % 11 AS DIGITO
      FROM (SELECT CODIGO, CUIT FROM MA_CLIENTES
            UNION ALL
            SELECT CODIGO, CUIT FROM MA_PROVEEDORES) t
      CROSS JOIN PESOS_CUIT p
      GROUP BY t.CODIGO, t.CUIT) s

UPDATE MA_CLIENTES SET CUIT = (SELECT c.CUIT FROM CUITS c WHERE c.CODIGO = MA_CLIENTES.CODIGO)
UPDATE MA_PROVEEDORES SET CUIT = (SELECT c.CUIT FROM CUITS c WHERE c.CODIGO = MA_PROVEEDORES.CODIGO)

CREATE VIEW VT_CLIENTES AS
SELECT CODIGO, NOMBRE, CUIT, LOCALIDAD, PROVINCIA, Dada_De_Baja FROM MA_CLIENTES
CREATE VIEW VT_PROVEEDORES AS
SELECT CODIGO, NOMBRE, CUIT, LOCALIDAD, PROVINCIA, Dada_De_Baja FROM MA_PROVEEDORES

-- ---------------------------------------------------------------- cheques en cartera
CREATE TABLE TA_BANCOS (IDBANCO varchar(3) NOT NULL PRIMARY KEY, NOMBRE varchar(60) NOT NULL)
INSERT INTO TA_BANCOS (IDBANCO, NOMBRE) VALUES
    ('007', 'Banco de Galicia y Buenos Aires'), ('011', 'Banco de la Nación Argentina'),
    ('014', 'Banco de la Provincia de Buenos Aires'), ('015', 'ICBC Argentina'),
    ('017', 'BBVA Argentina'), ('020', 'Banco de la Provincia de Córdoba'),
    ('027', 'Banco Supervielle'), ('034', 'Banco Patagonia'), ('044', 'Banco Hipotecario'),
    ('072', 'Banco Santander Argentina'), ('150', 'HSBC Bank Argentina'),
    ('191', 'Banco Credicoop'), ('285', 'Banco Macro'), ('299', 'Banco Comafi'),
    ('330', 'Nuevo Banco de Santa Fe'), ('386', 'Nuevo Banco de Entre Ríos')

CREATE TABLE BANCOS_NUMERADOS (K int IDENTITY(1, 1) PRIMARY KEY, IDBANCO varchar(3) NOT NULL)
INSERT INTO BANCOS_NUMERADOS (IDBANCO) SELECT IDBANCO FROM TA_BANCOS ORDER BY IDBANCO

-- Los cheques que entregaron los clientes, propios o de terceros (el librador es otro), que
-- esperan su vencimiento o ya se depositaron. Las fechas se guardan como días contados desde hoy
-- (negativos, los pasados), para que el script no dependa de la fecha y la cartera tenga siempre
-- cheques que vencen hoy; V_MV_CHEQUES las muestra como fechas.
CREATE TABLE MV_CHEQUES (
    IDCHEQUE int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    IDBANCO varchar(3) NOT NULL,
    SUCURSAL varchar(3) NOT NULL,
    NUMERO varchar(8) NOT NULL,
    CUENTA_ORIGEN varchar(10) NOT NULL,
    LIBRADOR varchar(80) NOT NULL,
    CUIT_LIBRADOR varchar(13) NOT NULL,
    CLIENTE varchar(10) NOT NULL,
    IMPORTE money NOT NULL,
    DIAS_RECEPCION int NOT NULL,
    DIAS_VENCIMIENTO int NOT NULL,
    DEPOSITADO bit NOT NULL DEFAULT 0,
    CUENTA_DEPOSITO varchar(20) NULL
)
-- Uno de cada diez vence hoy; los demás, desde hace quince días hasta dentro de cuatro meses. El
-- banco, la sucursal y la cuenta son los del librador.
INSERT INTO MV_CHEQUES (IDBANCO, SUCURSAL, NUMERO, CUENTA_ORIGEN, LIBRADOR, CUIT_LIBRADOR,
                        CLIENTE, IMPORTE, DIAS_RECEPCION, DIAS_VENCIMIENTO, DEPOSITADO)
SELECT b.IDBANCO,
       RIGHT('00' + CAST(l.IDCLIENTE * 37 % 400 + 1 AS varchar(3)), 3),
       CAST((c.N * 7368787 + 20345671) % 80000000 + 10000000 AS varchar(8)),
       CAST(l.IDCLIENTE * 48271 % 900000000 + 100000000 AS varchar(10)),
       l.NOMBRE, l.CUIT, cl.CODIGO,
       ROUND((c.N * 7919 + 1013) % 9973 * 148.37 + 15000, 2),
       CASE WHEN c.VENCE < 0 THEN c.VENCE ELSE 0 END - c.N * 11 % 40,
       c.VENCE,
       CASE WHEN c.VENCE < 0 AND c.N % 7 <> 0 THEN 1 WHEN c.VENCE = 0 AND c.N % 20 = 0 THEN 1 ELSE 0 END
FROM (SELECT N, CASE WHEN N % 10 = 0 THEN 0 ELSE N * 37 % 136 - 15 END AS VENCE
      FROM NUMEROS WHERE N < 300) c
INNER JOIN MA_CLIENTES cl ON cl.IDCLIENTE = c.N * 7 % 2000 + 1
INNER JOIN MA_CLIENTES l
        ON l.IDCLIENTE = CASE WHEN c.N % 3 = 0 THEN (c.N * 13 + 500) % 2000 + 1 ELSE cl.IDCLIENTE END
INNER JOIN BANCOS_NUMERADOS b ON b.K = l.IDCLIENTE % (SELECT COUNT(*) FROM BANCOS_NUMERADOS) + 1
WHERE cl.Dada_De_Baja = 0
ORDER BY c.N

UPDATE MV_CHEQUES SET CUENTA_DEPOSITO = CASE IDCHEQUE % 3 WHEN 0 THEN '1110202' ELSE '1110201' END
WHERE DEPOSITADO = 1

-- La cartera con sus fechas contadas desde hoy. La base embebida guarda las fechas como texto
-- 'aaaa-mm-dd hh:mm:ss.mmm'; los diez primeros caracteres son el día.
CREATE VIEW V_MV_CHEQUES AS
SELECT c.IDCHEQUE, c.IDBANCO, b.NOMBRE AS BANCO, c.SUCURSAL, c.NUMERO, c.CUENTA_ORIGEN,
       c.LIBRADOR, c.CUIT_LIBRADOR, c.CLIENTE, cl.NOMBRE AS NOMBRE_CLIENTE,
       LEFT(GETDATE() + c.DIAS_RECEPCION, 10) AS FECHA_RECEPCION,
       LEFT(GETDATE() + c.DIAS_VENCIMIENTO, 10) AS VENCIMIENTO,
       c.IMPORTE, c.DEPOSITADO, c.CUENTA_DEPOSITO
FROM MV_CHEQUES c
INNER JOIN TA_BANCOS b ON b.IDBANCO = c.IDBANCO
INNER JOIN MA_CLIENTES cl ON cl.CODIGO = c.CLIENTE

-- ---------------------------------------------------------------- sinónimos
-- Los usuarios que no administran leen estas siete a través de sus sinónimos SS_.
CREATE VIEW SS_MA_CUENTAS AS SELECT Codigo, Nombre, Imputable FROM MA_CUENTAS
CREATE VIEW SS_V_TA_DEPOSITO AS SELECT IDDEPOSITO, DESCRIPCION, LOCALIDAD FROM V_TA_DEPOSITO
CREATE VIEW SS_MV_ASIENTOS AS
SELECT IDRENGLON, NUMERO, FECHA, CUENTA, CCOSTO, DEBE, HABER, DETALLE FROM MV_ASIENTOS
CREATE VIEW SS_V_TA_FAMILIAS AS SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS
CREATE VIEW SS_V_TA_CAJAS AS SELECT IDCAJA, DESCRIPCION, CUENTA FROM V_TA_CAJAS
CREATE VIEW SS_AC_CUENTASDIARIO AS SELECT Codigo, Nombre FROM AC_CUENTASDIARIO
CREATE VIEW SS_AC_CUENTAS_DIARIO_CCOSTO AS
SELECT Codigo, CCOSTO, PORCENTAJE FROM AC_CUENTASDIARIO_CCOSTO

-- Las tablas que sólo sirvieron para generar filas.
DROP TABLE CUITS
DROP TABLE PESOS_CUIT
DROP TABLE PRESENTACIONES
DROP TABLE MARCAS
DROP TABLE PRODUCTOS
DROP TABLE ESTANTES
DROP TABLE BANCOS_NUMERADOS
DROP TABLE CUENTAS_IMPUTABLES
DROP TABLE CCOSTO_NUMERADOS
DROP TABLE SOCIEDADES
DROP TABLE RUBROS
DROP TABLE LOCALIDADES
DROP TABLE APELLIDOS
DROP TABLE NOMBRES
DROP TABLE CALENDARIO
DROP TABLE NUMEROS
DROP TABLE DIGITOS

COMMIT TRANSACTION
